// The click list file: the rows, one a line, written by Save and read back
// by Load, which then rebuilds every entry from its row. A file that is
// too large, not text, longer than the list or with a bad line is refused
// with a message that names it, and the caller's list stays as it was.
#pragma once

#include <string>
#include <vector>

#include "engine/click_list.h"
#include "platform/files.h"

[[nodiscard]] ClickList ReadListFile(platform::Files& files, const std::string& path, char decimalSeparator);
void SaveListFile(platform::Files& files, const std::string& path, const std::vector<std::string>& rows);
