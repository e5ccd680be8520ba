// Picking lines out of a program's output.
#pragma once

#include <string>
#include <vector>

// Lines of text starting with prefix.
std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix);
// Lines of text containing part.
std::vector<std::string> linesContaining(const std::string& text, const std::string& part);
