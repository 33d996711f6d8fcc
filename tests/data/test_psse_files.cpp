// Reading PSS/E dynamic (.dyr) and network (.raw) data: fields, the records the import reads,
// the revisions' layouts, and each kind of bad file refused with its file, line and what was
// expected; the PSS2A's conversion to the program's form, checked on the transfer functions.
#include <gtest/gtest.h>

#include <complex>
#include <string>

#include "base/failure.h"
#include "core/model/derived_constants.h"
#include "data/psse/dyr_file.h"
#include "data/psse/machine_import.h"
#include "data/psse/pss2a_conversion.h"
#include "data/psse/psse_text.h"
#include "data/psse/raw_file.h"

namespace tgsim::psse {
namespace {

std::string failureOf(const auto& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "no failure";
}

std::string fieldsOf(std::string_view line) {
    const LineFields split = splitFields(line);
    std::string text;
    for (const Field& field : split.fields) text += (field.quoted ? "'" + field.text + "'" : field.text) + "|";
    return text + (split.slash ? "/" : "");
}

TEST(PsseText, FieldsAreSplitByCommasOrBlanksWithQuotesWholeAndSlashEndingTheData) {
    EXPECT_EQ(fieldsOf("   1 'GENROU' 1   6.5 0.60000E-01/ comment 'x', 7"), "1|'GENROU'|1|6.5|0.60000E-01|/");
    EXPECT_EQ(fieldsOf("2,'1 ',1,,,  40.0 ,"), "2|'1 '|1|||40.0|");
    EXPECT_EQ(fieldsOf(",4,'A/B, C'\t5"), "|4|'A/B, C'|5|");
    EXPECT_EQ(*parseNumber(" 1.0D-02"), 0.01);
    EXPECT_EQ(*parseNumber("+.5"), 0.5);
    for (const char* bad : {"", "1,5", "0x10", "inf", "nan", "1e999", "++1", "1.0.0"})
        EXPECT_FALSE(parseNumber(bad)) << bad;
}

TEST(PsseText, MachineArgumentNamesAFileAndOptionallyABusAndIdentifier) {
    const auto [file, choice] = splitMachineArgument("data/case@2.dyr@14:g2");
    EXPECT_EQ(file, "data/case@2.dyr");
    EXPECT_EQ(*choice.bus, 14);
    EXPECT_EQ(*choice.id, "G2");
    for (const char* whole : {"a.dyr", "a@b.dyr", "a.dyr@0", "a.dyr@x", "a.dyr@3:", "a.dyr@-1"}) {
        const auto [name, none] = splitMachineArgument(whole);
        EXPECT_EQ(name, whole);
        EXPECT_FALSE(none.bus);
    }
}

constexpr const char* kGenrouNumbers = "6.5 0.06 0.2 0.05 4.0 0.0 1.8 1.75 0.6 0.8 0.23 0.15 0.09 0.38";

TEST(DyrFile, RecordsSpanLinesAndOnlyTheModelsReadAreChecked) {
    const DyrFile file = parseDyr(splitLines(std::string("  1 'GENROU' '1 ' 6.5 0.06\n 0.2 0.05 4.0 0.0 1.8\n"
                                                         "1.75 0.6 0.8 0.23 0.15 0.09 0.38 / end\n"
                                                         "1 'USRMDL' 1 'any' 'text' / skipped whole\n"
                                                         "2 'gensal' 1 1 2 3 4 5 6 7 8 9 10 11 12 /\n")),
                                  "a.dyr");
    ASSERT_EQ(file.records.size(), 3u);
    EXPECT_EQ(file.records[0].key, (MachineKey{1, "1"}));
    EXPECT_EQ(file.records[0].numbers.size(), 14u);
    EXPECT_EQ(file.records[0].numbers[13], 0.38);
    EXPECT_TRUE(file.records[1].numbers.empty());
    EXPECT_EQ(file.records[2].model, "GENSAL");
    EXPECT_EQ(machines(file).size(), 2u);
}

TEST(DyrFile, BadFilesAreRefusedWithLineAndWhatWasExpected) {
    const struct {
        std::string text, message;
    } cases[] = {
        {std::string("1 'GENROU' 1 ") + kGenrouNumbers + "\n",
         "a.dyr:1: the record begun here ('GENROU') is not ended: expected a '/'"},
        {"1 'GENROU' 1 6.5 0.06 0.2 0.05 4.0 0.0 1.8 1.75 0.6 0.8 0.23 0.15 0.09 /",
         "a.dyr:1: GENROU record of machine 1 '1' has 13 numbers; expected 14: T'do T''do"},
        {"1 'GENROU' 1 6.5 0.06 0.2\n0.05 H 0.0 1.8 1.75 0.6 0.8 0.23 0.15 0.09 0.38 /",
         "a.dyr:2: GENROU record of machine 1 '1': 'H' where a number belongs (H)"},
        {std::string("'BUS1' 'GENROU' 1 ") + kGenrouNumbers + " /",
         "a.dyr:1: GENROU record: expected a bus number and a machine identifier"},
        {"3 'PSS2A' 1 1 0 3 0 2 2 10 10 0 10 10 0.3 0.1 1 0 0.1 20 0.15 0.03 0.15 0.03 0.1 /",
         "a.dyr:1: PSS2A record of machine 3 '1' has 22 numbers; expected 23"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureOf([&] { parseDyr(splitLines(c.text), "a.dyr"); }).rfind(c.message, 0), 0u)
            << failureOf([&] { parseDyr(splitLines(c.text), "a.dyr"); });
    EXPECT_EQ(failureOf([] { readDyrFile("/nonexistent/a.dyr"); }),
              "Cannot read file /nonexistent/a.dyr\nNo such file");
}

// Revision 33 and revision 35 (system-wide data, NREG before MBASE, switching devices before the
// transformers) give the same case.
TEST(RawFile, RevisionsLayOutTheSameCase) {
    const std::string v33 =
        "0, 100.0, 33, 0, 1, 50.0 / title\nA\nB\n"
        " 1,'GEN', 15.75, 2\n 2,'NET', 400.0,3\n0 / END OF BUS DATA\n"
        " 2,'1',1,1,1,10,5\n0 / loads\n0 / fixed shunts\n"
        " 1,'G1', 200, 50, 99, -99, 1.0, 0, 270.0, 0.002, 0.2, 0, 0.0, 1.0, 1\n0 / generators\n"
        " 2, 3,'1', 0.01, 0.1, 0\n0 / branches\n"
        " 1, 2, 0,'1',1,2,1, 0,0,2,'T1',1\n 0.0, 0.045, 300.0\n1.0,0\n1.0,0\n"
        " 2, 3, 4,'1',1,1,1, 0,0,2,'T3',1\n 0,0.1,100, 0,0.1,100, 0,0.1,100\n1\n1\n1\n"
        "0 / transformers\n0 / areas\nQ\n";
    const std::string v35 =
        "@!IC,SBASE,REV,XFRRAT,NXFRAT,BASFRQ\n0, 100.0, 35, 0, 1, 50.0\n\n\n"
        "GENERAL, THRSHZ=0.0001\n0 / END OF SYSTEM-WIDE DATA\n"
        "@! I,'NAME', BASKV\n 1,'GEN', 15.75, 2\n 2,'NET', 400.0,3\n0\n 2,'1',1,1,1,10,5\n0\n0\n"
        " 1,'G1', 200, 50, 99, -99, 1.0, 0, 0, 270.0, 0.002, 0.2, 0, , 1.0, 1\n0\n"
        " 2, 3,'1', 0.01, 0.1, 0\n0\n 2, 3,'S1',1,1\n0\n"
        " 1, 2, ,'1',1,2,1, 0,0,2,'T1',1\n 0.0, 0.045, 300.0\n1.0,0\n1.0,0\n0\nQ\n";
    for (const std::string& text : {v33, v35}) {
        const NetworkCase c = parseRaw(splitLines(text), "a.raw");
        ASSERT_EQ(c.buses.size(), 2u);
        EXPECT_EQ(c.bus(1)->baseKv, 15.75);
        EXPECT_EQ(*c.baseFrequency, 50.0);
        const RawGenerator* g = c.generator({1, "G1"});
        ASSERT_TRUE(g);
        EXPECT_EQ(g->mbase, 270.0);
        EXPECT_EQ(g->zr, 0.002);
        EXPECT_EQ(g->xt, 0.0);
        ASSERT_EQ(c.transformersAt(1).size(), 1u);  // the three-winding one is not kept
        EXPECT_DOUBLE_EQ(reactanceOnMachineBase(*c.transformersAt(1)[0], c.sbase, g->mbase), 0.045 * 270 / 300);
    }
}

TEST(RawFile, BadFilesAreRefusedWithLineAndWhatWasExpected) {
    const struct {
        std::string text, message;
    } cases[] = {
        {"0, 100.0, 31, 0, 1, 50\nA\nB\n", "a.raw:1: network data of revision 31 are not read"},
        {"0, 100.0, 33, 0, 1, 50\nA\nB\n 1,'GEN', 15.7x5, 2\n0\n", "a.raw:4: '15.7x5' where BASKV (a number) belongs"},
        {"0, 100.0, 33, 0, 1, 50\nA\nB\n 1,'GEN', 15.75, 2\n0\n0\n", "a.raw: the file ends before its generator"},
        {"0, 100.0, 33, 0, 1, 50\nA\nB\n0\n0\n0\n 1,'1',1,1,1,1,1,0,MB\n0\n", "a.raw:7: 'MB' where MBASE"},
        {"", "a.raw: the file is empty"},
    };
    for (const auto& c : cases) {
        const std::string message = failureOf([&] { parseRaw(splitLines(c.text), "a.raw"); });
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
    }
}

// The two paths of a PSS2A, as the file's block diagram gives them, per unit of speed and per
// unit of the program's power (Sn cosfin): speed ks1 LL F W12/(1 + s T6); power
// -Ks1 LL (1 - Ks3 F) Ks2 W34/(1 + s T7) cosfin.
using Complex = std::complex<double>;
struct Paths {
    Complex speed, power;
};

Paths filePaths(const Pss2aRecord& r, double cosfin, Complex s) {
    const auto lag = [&](double T) { return 1.0 / (1.0 + s * T); };
    const auto washout = [&](double T) { return s * T * lag(T); };
    const Complex F = std::pow((1.0 + s * r.T8) * std::pow(lag(r.T9), r.M), r.N);
    const Complex LL = (1.0 + s * r.T1) * lag(r.T2) * (1.0 + s * r.T3) * lag(r.T4);
    return {r.Ks1 * LL * F * washout(r.Tw1) * washout(r.Tw2) * lag(r.T6),
            -r.Ks1 * LL * (1.0 - r.Ks3 * F) * r.Ks2 * washout(r.Tw3) * washout(r.Tw4) * lag(r.T7) * cosfin};
}

// The program's paths from its polynomials (gain kw ks1 = 1).
Paths programPaths(const Pss2aShape& shape, Complex s) {
    TParametry r;
    r.T1 = shape.T1, r.T2 = shape.T2, r.T3 = shape.T3, r.T4 = shape.T4, r.T6 = shape.T6, r.T7 = shape.T7;
    r.T8 = shape.T8, r.T9 = shape.T9, r.Tw1 = shape.Tw1, r.Tw2 = shape.Tw2, r.Tw3 = shape.Tw3, r.Tw4 = shape.Tw4;
    r.ks3 = shape.ks3;
    computePss2aCoefficients(r);
    const auto poly = [&](const auto& c, int shift) {
        Complex sum = 0.0;
        for (std::size_t k = c.size(); k-- > 0;) sum = sum * s + c[k];
        return sum * std::pow(s, shift);
    };
    Complex powerNumerator = 0.0;
    for (std::size_t k = r.pssNum3.size(); k-- > 0;)
        powerNumerator = powerNumerator * s + (r.pssNum3[k] - (k < 5 ? shape.ks3 * r.pssNum2[k] : 0.0));
    return {poly(r.pssNum1, 2) / poly(r.pssDen1, 0), shape.ks2 * powerNumerator * s * s / poly(r.pssDen2, 0)};
}

TEST(Pss2aConversion, FiltersThatReduceToTheProgramsFormKeepBothPathsAndTheirRatio) {
    const struct {
        double M, N, T8, T9;
    } filters[] = {{2, 2, 0.5, 0.1}, {1, 4, 0, 0.1}, {5, 1, 0.1, 0.1}, {2, 1, 0, 0.12}, {3, 1, 0.2, 0.2}};
    const double cosfin = 0.85;
    for (const auto& f : filters) {
        Pss2aRecord r = Pss2aRecord::fromNumbers({1,   0, 3,    0,    f.M, f.N,  10,   10,   0.02, 10,  10,  10,
                                                  0.3, 1, f.T8, f.T9, 20,  0.15, 0.03, 0.25, 0.05, 0.1, -0.1});
        const auto converted = pss2aFromRecord(r, cosfin);
        ASSERT_TRUE(std::holds_alternative<Pss2aShape>(converted)) << std::get<std::string>(converted);
        const Pss2aShape& shape = std::get<Pss2aShape>(converted);
        for (double hz : {0.1, 0.7, 2.0, 6.0}) {
            const Complex s(0.0, 2.0 * 3.141592653589793 * hz);
            const Paths file = filePaths(r, cosfin, s), program = programPaths(shape, s);
            // One gain stands between the two forms: the program's kw ks1 for the file's Ks1.
            const Complex gain = program.speed / file.speed;
            EXPECT_NEAR(std::abs(program.power / file.power - gain), 0.0, 1e-9 * std::abs(gain)) << f.M << f.N << hz;
            EXPECT_NEAR(std::abs(gain - 1.0 / r.Ks1), 0.0, 1e-9 / r.Ks1) << f.M << f.N << hz;
        }
        // And back: the record the export writes converts to the same shape.
        const Pss2aShape again = std::get<Pss2aShape>(pss2aFromRecord(pss2aToRecord(shape, cosfin, 1, 1), cosfin));
        EXPECT_EQ(again.T8, shape.T8);
        EXPECT_DOUBLE_EQ(again.ks2, shape.ks2);
    }
}

TEST(Pss2aConversion, WhatHasNoExactCounterpartIsRefusedByName) {
    const std::vector<double> base = {1,   0, 3,   0,   2,  2,    10,   10,   0.02, 10,  10,  10,
                                      0.3, 1, 0.5, 0.1, 20, 0.15, 0.03, 0.25, 0.05, 0.1, -0.1};
    const struct {
        std::size_t index;
        double value;
        const char* reason;
    } cases[] = {{0, 2, "its first input is ICS1 = 2;"},
                 {2, 1, "its second input is ICS2 = 1;"},
                 {8, 0, "T6 = 0 bypasses its block"},
                 {7, 0, "Tw2 = 0 bypasses"},
                 {15, 0, "T9 = 0 bypasses"},
                 {4, 5, "its ramp-tracking filter [(1 + s T8)"},
                 {4, 1.5, "its ramp-tracking filter has M = 1.5"},
                 {17, -1, "T1 = -1 is negative"}};
    for (const auto& c : cases) {
        std::vector<double> numbers = base;
        numbers[c.index] = c.value;
        const auto converted = pss2aFromRecord(Pss2aRecord::fromNumbers(numbers), 0.85);
        ASSERT_TRUE(std::holds_alternative<std::string>(converted)) << c.reason;
        EXPECT_EQ(std::get<std::string>(converted).rfind(c.reason, 0), 0u) << std::get<std::string>(converted);
    }
}

}  // namespace
}  // namespace tgsim::psse
