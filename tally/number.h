// Reading a decimal number the way the C runtime's atoi and sscanf("%d") do,
// but defined for every input: values beyond 32 bits wrap modulo 2^32.
#pragma once

#include <cstdint>

namespace tally {

// C-locale white space, as isspace() sees it.
bool is_space(char c);

// Skips leading white space, takes an optional sign and at least one digit.
// Returns the number of characters consumed, or 0 when there is no number.
int parse_number(const char* text, std::int32_t* value);

// atoi: 0 where there is no number.
std::int32_t to_number(const char* text);

}  // namespace tally
