#pragma once
// The runner's outputs of stabilizer tuning: the frequency responses (--frequency-response) and
// the proposed setting (--pss-tuning) of the operating point in war_pocz.
#include <string>
#include <string_view>

#include "cli_arguments.h"

namespace tgsim {
class Session;
}

namespace tgsim::cli {

// FILE or FILE:FROM:TO:COUNT (FROM and TO in Hz with a decimal point or comma, either left empty
// for its default, COUNT a whole number or empty): the request, or an error text.
std::string parseFrequencyResponseRequest(std::string_view text, FrequencyResponseRequest& request);

// The responses at COUNT log-spaced frequencies as CSV; a refusal raises its Failure and writes no file.
void writeFrequencyResponse(const Session& session, const FrequencyResponseRequest& request);

// The proposal as CSV name,value,unit; a refusal raises its Failure and writes no file.
void writePssTuning(const Session& session, const std::string& fileName);

}  // namespace tgsim::cli
