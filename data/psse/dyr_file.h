#pragma once
// Dynamic data files (.dyr): records "BUS 'MODEL' ID numbers... /", free-format over as many lines
// as they take, each ended by a slash; what follows the slash on its line is a comment. The
// machine models the program reads (GENROU, and GENSAL to refuse it by name) and the PSS2A
// stabilizer are checked whole when the file is read: a bus that is no number, a wrong count of
// numbers or text where a number belongs refuses the file. Records of other models (exciters,
// governors, other stabilizers) are kept by name only.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tgsim::psse {

// A machine: its bus and its identifier among the machines of that bus (machineId form).
struct MachineKey {
    long bus = 0;
    std::string id;

    bool operator==(const MachineKey&) const = default;
};

// "1 '1'": how messages name a machine.
std::string machineName(const MachineKey& key);

struct DyrRecord {
    int line = 0;                   // where the record begins
    std::string model;              // in capitals
    std::optional<MachineKey> key;  // where the record begins with a bus number and an identifier
    std::vector<double> numbers;    // the numbers of the models the program reads
};

struct DyrFile {
    std::string name;  // as given, for messages
    std::vector<DyrRecord> records;
};

// The number of numbers a model's record holds, for the models the program reads; 0 for others.
std::size_t numberCount(std::string_view model);
// Names of those numbers, one word each, for messages ("T'do T''do ... S(1.2)").
std::string numberNames(std::string_view model);

// Throws Failure "FILE:LINE: ..." for an unterminated record or a record of a model the program
// reads that is malformed (the message says what was expected).
DyrFile parseDyr(const std::vector<std::string>& lines, const std::string& name);
DyrFile readDyrFile(const std::string& name);

// Machine models are those whose name begins with "GEN".
bool isMachineModel(std::string_view model);
// The machine records, in the file's order.
std::vector<const DyrRecord*> machines(const DyrFile& file);

}  // namespace tgsim::psse
