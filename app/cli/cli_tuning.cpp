#include "cli_tuning.h"

#include <charconv>
#include <optional>

#include "base/message_text.h"
#include "driver/session.h"
#include "base/text_file.h"
#include "driver/tuning_figures.h"

namespace tgsim::cli {
namespace {

// The most frequencies one request may ask for.
constexpr int kMostFrequencies = 100'000;

bool parseHz(std::string_view text, double& value) {
    std::optional<double> parsed;
    if (!parseWindowTime(text, parsed)) return false;
    value = parsed.value_or(value);
    return true;
}

bool parseCount(std::string_view text, int& count) {
    if (text.empty()) return true;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
    return ec == std::errc() && ptr == text.data() + text.size();
}

}  // namespace

std::string parseFrequencyResponseRequest(std::string_view text, FrequencyResponseRequest& request) {
    const std::string usage =
        "--frequency-response takes FILE or FILE:FROM:TO:COUNT (Hz, log-spaced; default 0.1:5:200), not " +
        quotedForMessage(text);
    // The range is the last three fields; a file name may hold colons of its own.
    std::size_t colons[3]{};
    std::size_t found = 0, at = text.size();
    while (found < 3 && at > 0 && (at = text.rfind(':', at - 1)) != std::string_view::npos) colons[found++] = at;
    if (found < 3) {
        request.file = std::string(text);
    } else {
        request.file = std::string(text.substr(0, colons[2]));
        const std::string_view to = text.substr(colons[1] + 1, colons[0] - colons[1] - 1);
        if (!parseHz(text.substr(colons[2] + 1, colons[1] - colons[2] - 1), request.fromHz) ||
            !parseHz(to, request.toHz) || !parseCount(text.substr(colons[0] + 1), request.count))
            return usage;
        if (to.empty() && request.count == 1) request.toHz = request.fromHz;
    }
    if (request.file.empty()) return usage;
    if (!(request.fromHz > 0.0)) return "--frequency-response: FROM must be above 0 Hz, not " + quotedForMessage(text);
    if (request.count < 1 || request.count > kMostFrequencies)
        return "--frequency-response: COUNT must be from 1 to " + std::to_string(kMostFrequencies) + ", not " +
               quotedForMessage(text);
    if (request.count == 1 ? request.toHz != request.fromHz : !(request.toHz > request.fromHz))
        return "--frequency-response: TO must lie above FROM (COUNT 1 needs TO = FROM or empty), not " +
               quotedForMessage(text);
    return {};
}

void writeFrequencyResponse(const Session& session, const FrequencyResponseRequest& request) {
    const FrequencyResponse response =
        session.frequencyResponse(logSpacedFrequencies(request.fromHz, request.toHz, request.count));
    writeTextFile(request.file, [&](std::ostream& f) { writeFrequencyResponseCsv(response, f); });
}

void writePssTuning(const Session& session, const std::string& fileName) {
    const PssProposal proposal = session.proposePssSetting();
    writeTextFile(fileName, [&](std::ostream& f) { writePssProposalCsv(proposal, f); });
}

}  // namespace tgsim::cli
