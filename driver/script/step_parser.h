#pragma once
// Reading steps from words, as the runner's command line gives them: a handler name, a cell edit
// NAME.COL=TEXT, a case file to open (--case FILE), a file read (--raw FILE, --import-dyr
// FILE[@BUS[:ID]]), or a friendlier spelling with its value (--generator N, --scenario NAME,
// --model Klasyczny|Canaya, --solve, --tick K, --untick K, --header NAME.COL=TEXT).
#include <string>
#include <string_view>
#include <vector>

#include "steps.h"

namespace tgsim {

// Whether the name is a handler of the session's commands (the window's own commands are not).
bool isStep(std::string_view name);

// NAME.COL=TEXT into the step's grid, column and text; false when it is no such edit.
bool parseCellEdit(std::string_view word, Step& step);

// The handler of the scenario command named by its menu caption (trailing blanks optional), its
// scenario name or its handler name; "" for none.
std::string scenarioHandler(std::string_view name);

// The value of the option at words[i], moving i to it. A value that is missing or begins with
// "--" (the next option; a file of such a name is given as ./--NAME) leaves its message in
// `error` and gives false.
bool optionValue(const std::vector<std::string>& words, std::size_t& i, std::string& value, std::string& error);

// Reads the step at words[i] (moving i past a value it takes) onto `steps`; false when the word
// is no step. A step with a bad or missing value leaves its message in `error`.
bool parseStep(const std::vector<std::string>& words, std::size_t& i, std::vector<Step>& steps, std::string& error);

// The handler names of the steps, joined by ", " and wrapped before 100 columns, each line
// indented by two blanks.
std::string stepList();

}  // namespace tgsim
