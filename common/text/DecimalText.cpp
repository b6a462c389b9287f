#include "DecimalText.h"

#include <climits>

namespace vantor {
namespace {

// The C locale's white space, as isspace sees it.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ReadDecimalPrefix(const std::string& text, int& value) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const bool hasDigit = i < text.size() && IsDigit(text[i]);
    long long magnitude = 0;
    // Saturates one past INT_MAX, which is INT_MIN's magnitude.
    for (; i < text.size() && IsDigit(text[i]); ++i)
        if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (text[i] - '0');
    const long long signedValue = negative ? -magnitude : magnitude;
    value = signedValue > INT_MAX ? INT_MAX : signedValue < INT_MIN ? INT_MIN : static_cast<int>(signedValue);
    return hasDigit;
}

int DecimalPrefixValue(const std::string& text) {
    int value = 0;
    ReadDecimalPrefix(text, value);
    return value;
}

}  // namespace vantor
