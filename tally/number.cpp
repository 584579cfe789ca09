#include "tally/number.h"

namespace tally {

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int parse_number(const char* text, std::int32_t* value)
{
    const char* p = text;
    while (is_space(*p))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return 0;
    std::uint32_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(*p - '0');
    if (negative)
        magnitude = 0u - magnitude;
    *value = static_cast<std::int32_t>(magnitude);
    return static_cast<int>(p - text);
}

std::int32_t to_number(const char* text)
{
    std::int32_t value = 0;
    parse_number(text, &value);
    return value;
}

}  // namespace tally
