#pragma once
// The text of the free-format files of network data (.raw) and dynamic data (.dyr): the file
// read whole into lines, a line split into its fields, and the numbers in the fields.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tgsim::psse {

// A file larger than this is no data file of one network: it is refused unread.
inline constexpr std::size_t kMaxFileBytes = std::size_t{512} << 20;

// The lines of a text file without their line ends ("\r\n" too). Throws Failure "Cannot read file
// <name>" with the cause on the next line, also for a file over kMaxFileBytes.
std::vector<std::string> readLines(const std::string& name);
std::vector<std::string> splitLines(std::string_view text);

struct Field {
    std::string text;  // without its quotes
    bool quoted = false;
};

// The fields of one line: separated by a comma or by blanks (tabs count as blanks); a field in
// single or double quotes is taken whole; a comma right after another comma (blanks between
// them aside) encloses an empty field, which stands for the default. A slash outside quotes
// ends the data of the line: the rest is a comment.
struct LineFields {
    std::vector<Field> fields;
    bool slash = false;
};
LineFields splitFields(std::string_view line);

// A number as these files write it, with a decimal point and an optional exponent ("0.60000E-01",
// "4", "-.5", "1.0D-02"); nullopt for any other text and for a value that is not finite.
std::optional<double> parseNumber(std::string_view text);

// A field of the file as messages quote it: 'TEXT', made showable.
std::string quotedField(std::string_view text);

// The file's name and a line for the start of a message: "FILE:LINE: " (LINE 0: "FILE: ").
std::string where(const std::string& file, int line);

// A machine identifier as the files compare it: without blanks around it, in capitals.
std::string machineId(std::string_view text);

}  // namespace tgsim::psse
