#include "app/OptionValues.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool parseNumber(const std::string& text, double* value) {
    if (text.empty()) return false;
    char* stop = nullptr;
    errno = 0;
    *value = std::strtod(text.c_str(), &stop);
    return errno == 0 && *stop == '\0' && std::isfinite(*value);
}

bool isWhole(double value) { return value == std::floor(value); }

bool failWith(std::string& error, const std::string& message) {
    error = message;
    return false;
}
