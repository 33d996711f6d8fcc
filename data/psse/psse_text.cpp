#include "psse_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>

#include "base/failure.h"
#include "base/message_text.h"
#include "base/output_file.h"

namespace tgsim::psse {
namespace {

Failure cannotRead(const std::string& name, const std::string& cause) {
    return Failure("Cannot read file " + quotedForMessage(name, kWholeText) + "\n" + cause);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> readLines(const std::string& name) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw cannotRead(name, errno == ENOENT ? "No such file" : fileErrorCause(errno));
    std::string text;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw cannotRead(name, fileErrorCause(error));
        }
        if (got == 0) break;
        if (text.size() + static_cast<std::size_t>(got) > kMaxFileBytes) {
            ::close(fd);
            throw cannotRead(name, "It is larger than " + std::to_string(kMaxFileBytes >> 20) +
                                       " MB: no data file of one network is that large.");
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return splitLines(text);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

LineFields splitFields(std::string_view line) {
    LineFields out;
    bool afterComma = false, afterField = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (isBlank(c)) {
            ++i;
        } else if (c == '/') {
            out.slash = true;
            break;
        } else if (c == ',') {
            if (afterComma || !afterField) out.fields.push_back({});
            afterComma = true;
            afterField = false;
            ++i;
        } else if (c == '\'' || c == '"') {
            const std::size_t close = line.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            out.fields.push_back({std::string(line.substr(i + 1, end - i - 1)), true});
            i = close == std::string_view::npos ? line.size() : close + 1;
            afterComma = false;
            afterField = true;
        } else {
            std::size_t end = i;
            while (end < line.size() && !isBlank(line[end]) && line[end] != ',' && line[end] != '/' &&
                   line[end] != '\'' && line[end] != '"')
                ++end;
            out.fields.push_back({std::string(line.substr(i, end - i)), false});
            i = end;
            afterComma = false;
            afterField = true;
        }
    }
    return out;
}

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    std::string number(text);
    // A Fortran double-precision exponent reads as any other.
    for (char& c : number)
        if (c == 'D' || c == 'd') c = 'e';
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || ptr != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string quotedField(std::string_view text) {
    std::string quoted(1, '\'');
    quoted += quotedForMessage(text);
    quoted += '\'';
    return quoted;
}

std::string where(const std::string& file, int line) {
    std::string text = quotedForMessage(file, kWholeText);
    if (line > 0) {
        text += ':';
        text += std::to_string(line);
    }
    text += ": ";
    return text;
}

std::string machineId(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    std::string id(text);
    for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return id;
}

}  // namespace tgsim::psse
