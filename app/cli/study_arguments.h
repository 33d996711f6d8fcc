#pragma once
// The command line's options of a study (--sweep, --study, --study-picture, --study-figure,
// --jobs, --shard) and the rules between them.
#include <string>
#include <vector>

#include "driver/study/study_plan.h"

namespace tgsim::cli {

struct Arguments;

// Parses the study option at args[i] (--sweep, --study, --study-picture, --study-figure, --jobs,
// --shard), moving i past its value; false when args[i] is none of them. A bad value leaves its
// message in `error`.
bool parseStudyOption(const std::vector<std::string>& args, std::size_t& i, Arguments& a, std::string& error);

// The rules between options, once the whole command line is read: the study options need
// --study, a study writes no single-run outputs, the figure exists, there is something to
// compute. The message of the first rule broken, or "".
std::string checkStudyArguments(const Arguments& a);

// The usage text's lines about studies.
std::string studyUsage();

}  // namespace tgsim::cli
