// The text the instructions window shows on its "Multiple Click Points"
// tab: 74 lines, each one line of the memo, kept byte for byte.
#pragma once

#include <string>
#include <vector>

const std::vector<std::string>& MultipleClickInstructions();
