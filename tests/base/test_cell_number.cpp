// Numbers in cells: the decimal-comma reader and the general-format writer.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "base/failure.h"
#include "base/cell_number.h"

namespace tgsim {
namespace {

struct Parsed {
    const char* text;
    double value;
};

TEST(CellNumber, ReadsDecimalCommaNumbers) {
    const Parsed cases[] = {
        {"0,05", 0.05}, {"15,75", 15.75}, {" 12 ", 12.0},    {"-5", -5.0},    {"+3", 3.0},
        {"1,57", 1.57}, {"0000", 0.0},    {"2,5E3", 2500.0}, {"1e-7", 1e-7},  {"1E+2", 100.0},
        {",5", 0.5},    {"5,", 5.0},      {"\t7\t", 7.0},    {"1e-400", 0.0},
    };
    for (const Parsed& c : cases) EXPECT_EQ(parseCellNumber(c.text), c.value) << c.text;
    const double negativeZero = parseCellNumber("-0,0");
    EXPECT_EQ(negativeZero, 0.0);
    EXPECT_TRUE(std::signbit(negativeZero));
}

TEST(CellNumber, RefusesAnythingElseWithTheExactMessage) {
    for (const char* text : {"", " ", "1.5", "1,2,3", "--1", "1e", "abc", "1 2", ",", "-", "e5", "1e+", "0x10", "inf",
                             "nan", "1e999", "1,5 kV", "\xc5\x82"}) {
        try {
            parseCellNumber(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const Failure& failure) {
            EXPECT_EQ(std::string(failure.what()), std::string("'") + text + "' is not a valid floating point value");
        }
    }
}

TEST(CellNumber, TheMessageShowsTheCellTextEscapedAndCut) {
    const auto message = [](const std::string& shown) {
        return std::string(1, '\'').append(shown).append("' is not a valid floating point value");
    };
    std::string longText, newlines;
    for (int i = 0; i < 250; ++i) longText += "\xc4\x85";  // 250 characters, 500 bytes
    for (int i = 0; i < 200; ++i) newlines += "\\n";
    const struct {
        std::string text, shown;
    } cases[] = {
        {"za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 \xe2\x82\xac", "za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 \xe2\x82\xac"},
        {"1\t2\r\n3", "1\\t2\\r\\n3"},
        {std::string("a\0b", 3) + "\x1b[31m\x7f", "a\\x00b\\x1B[31m\\x7F"},
        {"\xff\xc5", "\\xFF\\xC5"},                             // a stray byte, a sequence cut short
        {"\xc0\xaf\xed\xa0\x80", "\\xC0\\xAF\\xED\\xA0\\x80"},  // an overlong '/', a surrogate
        {"\xc2\x85\xe2\x80\xae"
         "1",
         "\\u0085\\u202E1"},  // a C1 control, a right-to-left override
        {std::string(200, 'x'), std::string(200, 'x')},
        {longText, longText.substr(0, 400) + "\xe2\x80\xa6"},
        {std::string(201, '\n'), newlines + "\xe2\x80\xa6"},
    };
    for (const auto& c : cases) EXPECT_EQ(notANumberMessage(c.text), message(c.shown)) << c.shown;
}

struct Formatted {
    double value;
    const char* text;
};

TEST(CellNumber, WritesTheGeneralFormatWithFifteenDigits) {
    const Formatted cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-0.5, "-0,5"},
        {0.114, "0,114"},
        {0.895664793857865, "0,895664793857865"},
        {std::acos(1.0 / 1.6), "0,895664793857865"},
        {1e-7, "1E-7"},
        {-1.5e-7, "-1,5E-7"},
        {1.23456789012346e20, "1,23456789012346E20"},
        {0.00001, "0,00001"},
        {0.0000099999, "9,9999E-6"},
        {15750.0, "15750"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1,23456789012346E15"},
        {0.1 + 0.2, "0,3"},
        {2.0 / 3.0, "0,666666666666667"},
        {-1.46, "-1,46"},
        {1e100, "1E100"},
    };
    for (const Formatted& c : cases) EXPECT_EQ(formatGeneral(c.value), c.text) << c.value;
}

TEST(CellNumber, WritesTheThermalFigureWithFourDigits) {
    EXPECT_EQ(formatGeneral(330.0 / 1900.0 / 2.48, 4, 2), "0,07003");
    EXPECT_EQ(formatGeneral(12345.0, 4, 2), "1,235E04");
    EXPECT_EQ(formatGeneral(1e-7, 4, 2), "1E-07");
    EXPECT_EQ(formatGeneral(1234.0, 4, 2), "1234");
}

TEST(CellNumber, WrittenNumbersReadBackToFifteenDigits) {
    for (double value : {0.1234567890123456, -98765.4321, 3.0e-9, 6.02214076e23, 1.0 / 3.0}) {
        const double back = parseCellNumber(formatGeneral(value));
        EXPECT_NEAR(back, value, std::abs(value) * 1e-14) << value;
    }
}

}  // namespace
}  // namespace tgsim
