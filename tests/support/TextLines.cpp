#include "support/TextLines.h"

#include <sstream>

// Lines of text starting with (atStart) or containing part.
static std::vector<std::string> linesWith(const std::string& text, const std::string& part, bool atStart) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (atStart ? line.rfind(part, 0) == 0 : line.find(part) != std::string::npos) lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
    return linesWith(text, prefix, true);
}

std::vector<std::string> linesContaining(const std::string& text, const std::string& part) {
    return linesWith(text, part, false);
}
