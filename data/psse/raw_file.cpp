#include "raw_file.h"

#include <cmath>

#include "base/failure.h"
#include "base/message_text.h"
#include "psse_text.h"

namespace tgsim::psse {
namespace {

enum class Section { SystemWide, Bus, Load, FixedShunt, Generator, Branch, SwitchingDevice, Transformer };

constexpr Section kSections33[] = {Section::Bus,       Section::Load,   Section::FixedShunt,
                                   Section::Generator, Section::Branch, Section::Transformer};
constexpr Section kSections35[] = {Section::Bus,        Section::Load,   Section::FixedShunt,
                                   Section::Generator,  Section::Branch, Section::SwitchingDevice,
                                   Section::Transformer};

struct Record {
    std::vector<Field> fields;
    int line = 0;
};

// The file's lines in order, comment lines ("@!") and blank lines passed over.
class LineCursor {
public:
    LineCursor(const std::vector<std::string>& lines, const std::string& name) : lines_(lines), name_(name) {}

    // The next line with data; false at the end of the file.
    bool next(Record& record, bool keepBlank = false) {
        while (index_ < lines_.size()) {
            const std::string& text = lines_[index_++];
            if (text.starts_with("@!")) continue;
            record = {splitFields(text).fields, static_cast<int>(index_)};
            if (!record.fields.empty() || keepBlank) return true;
        }
        return false;
    }
    const std::string& name() const { return name_; }

private:
    const std::vector<std::string>& lines_;
    const std::string& name_;
    std::size_t index_ = 0;
};

bool isEnd(const Record& record) {
    const Field& first = record.fields[0];
    return !first.quoted && (first.text == "0" || first.text == "Q" || first.text == "q");
}

// Field `index` as a number: its default where the record is shorter or the field empty.
double number(const Record& record, std::size_t index, const char* what, double fallback, const std::string& file) {
    if (index >= record.fields.size() || record.fields[index].text.empty()) return fallback;
    const Field& field = record.fields[index];
    const std::optional<double> value = field.quoted ? std::nullopt : parseNumber(field.text);
    if (!value)
        throw Failure(where(file, record.line) + quotedField(field.text) + " where " + what + " (a number) belongs");
    return *value;
}

long integer(const Record& record, std::size_t index, const char* what, const std::string& file) {
    const double value = number(record, index, what, NAN, file);
    if (!(std::floor(value) == value && std::fabs(value) < 2147483648.0))
        throw Failure(where(file, record.line) + "expected " + what + " (a whole number), not " +
                      quotedField(index < record.fields.size() ? record.fields[index].text : std::string()));
    return static_cast<long>(value);
}

void readCaseLine(LineCursor& cursor, NetworkCase& network) {
    Record record;
    if (!cursor.next(record))
        throw Failure(where(network.name, 0) +
                      "the file is empty: expected the case line "
                      "IC, SBASE, REV, XFRRAT, NXFRAT, BASFRQ");
    network.sbase = number(record, 1, "SBASE", 100.0, network.name);
    network.version = static_cast<int>(integer(record, 2, "the revision REV", network.name));
    if (network.version < 32 || network.version > 35)
        throw Failure(where(network.name, record.line) + "network data of revision " + std::to_string(network.version) +
                      " are not read: expected revision 32, 33, 34 or 35");
    const double frequency = number(record, 5, "BASFRQ", 0.0, network.name);
    if (frequency > 0.0) network.baseFrequency = frequency;
    // Two lines of titles, blank or not.
    for (int title = 0; title < 2; ++title) cursor.next(record, true);
}

RawGenerator readGenerator(const Record& record, const NetworkCase& network) {
    // Revision 35 has the regulated node NREG after IREG.
    const std::size_t mbase = network.version >= 35 ? 9 : 8;
    RawGenerator generator;
    generator.key.bus = integer(record, 0, "the bus number I", network.name);
    generator.key.id = record.fields.size() > 1 && !record.fields[1].text.empty() ? machineId(record.fields[1].text)
                                                                                  : std::string("1");
    generator.mbase = number(record, mbase, "MBASE", network.sbase, network.name);
    generator.zr = number(record, mbase + 1, "ZR", 0.0, network.name);
    generator.xt = number(record, mbase + 4, "XT", 0.0, network.name);
    generator.line = record.line;
    return generator;
}

// A transformer's four lines (five for three windings); the two-winding ones are kept.
void readTransformer(LineCursor& cursor, const Record& first, NetworkCase& network) {
    const std::string& file = network.name;
    RawTransformer transformer;
    transformer.from = integer(first, 0, "the bus number I", file);
    transformer.to = integer(first, 1, "the bus number J", file);
    const long third = static_cast<long>(number(first, 2, "the bus number K", 0.0, file));
    transformer.cz = static_cast<int>(number(first, 5, "CZ", 1.0, file));
    transformer.line = first.line;
    Record line;
    const int more = third == 0 ? 3 : 4;
    for (int k = 0; k < more; ++k) {
        if (!cursor.next(line, true))
            throw Failure(where(file, first.line) + "the transformer record begun here is not complete: expected " +
                          std::to_string(more + 1) + " lines before the end of the file");
        if (k == 0) {
            transformer.r = number(line, 0, "R1-2", 0.0, file);
            transformer.x = number(line, 1, "X1-2", 0.0, file);
            transformer.windingBase = number(line, 2, "SBASE1-2", network.sbase, file);
        }
    }
    if (third == 0) network.transformers.push_back(transformer);
}

// Reads one section up to its closing "0"; false when the file ends first (or at "Q").
bool readSection(LineCursor& cursor, Section section, NetworkCase& network) {
    Record record;
    while (cursor.next(record)) {
        if (isEnd(record)) return record.fields[0].text == "0";
        if (section == Section::Bus)
            network.buses.push_back({integer(record, 0, "the bus number I", network.name),
                                     number(record, 2, "BASKV", 0.0, network.name), record.line});
        else if (section == Section::Generator)
            network.generators.push_back(readGenerator(record, network));
        else if (section == Section::Transformer)
            readTransformer(cursor, record, network);
    }
    return false;
}

// Revisions 34 and 35 begin with system-wide data (keyword records such as GENERAL, ...), closed
// by a "0" like every section; a file without them begins with its buses.
void passSystemWideData(LineCursor& cursor, NetworkCase& network) {
    LineCursor look = cursor;
    Record record;
    if (!look.next(record)) return;
    const Field& first = record.fields[0];
    if (!isEnd(record) && !first.quoted && parseNumber(first.text)) return;
    readSection(cursor, Section::SystemWide, network);
}

}  // namespace

const RawBus* NetworkCase::bus(long number) const {
    for (const RawBus& b : buses)
        if (b.number == number) return &b;
    return nullptr;
}

const RawGenerator* NetworkCase::generator(const MachineKey& key) const {
    for (const RawGenerator& g : generators)
        if (g.key == key) return &g;
    return nullptr;
}

std::vector<const RawTransformer*> NetworkCase::transformersAt(long busNumber) const {
    std::vector<const RawTransformer*> found;
    for (const RawTransformer& t : transformers)
        if (t.from == busNumber || t.to == busNumber) found.push_back(&t);
    return found;
}

double reactanceOnMachineBase(const RawTransformer& t, double sbase, double mbase) {
    if (t.cz == 1) return t.x * mbase / sbase;
    if (t.cz == 2) return t.x * mbase / t.windingBase;
    // CZ = 3: X1-2 is the impedance's magnitude on the winding base, R1-2 the load loss in W.
    const double r = t.r / (t.windingBase * 1e6);
    return std::sqrt(t.x * t.x - r * r) * mbase / t.windingBase;
}

NetworkCase parseRaw(const std::vector<std::string>& lines, const std::string& name) {
    NetworkCase network;
    network.name = name;
    LineCursor cursor(lines, network.name);
    readCaseLine(cursor, network);
    if (network.version >= 34) passSystemWideData(cursor, network);
    const bool newer = network.version >= 34;
    const Section* begin = newer ? std::begin(kSections35) : std::begin(kSections33);
    const Section* end = newer ? std::end(kSections35) : std::end(kSections33);
    for (const Section* section = begin; section != end; ++section) {
        if (readSection(cursor, *section, network)) continue;
        if (*section < Section::Branch)
            throw Failure(where(name, 0) +
                          "the file ends before its generator data are complete (each section of "
                          "buses, loads, fixed shunts and generators is closed by a line \"0\")");
        break;
    }
    return network;
}

NetworkCase readRawFile(const std::string& name) { return parseRaw(readLines(name), name); }

}  // namespace tgsim::psse
