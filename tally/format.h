// printf-style formatting of the program's texts into a fixed buffer: what
// snprintf does for the conversions the program uses (%s, %d, %.Nf and %%),
// with the same output on every platform, whatever its C runtime.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace tally {

// Writes at most size - 1 bytes and a terminating zero; a longer text is cut.
// Returns the number of bytes written.
std::size_t vformat(char* out, std::size_t size, const char* format, va_list args);

[[gnu::format(printf, 3, 4)]] std::size_t format(char* out, std::size_t size, const char* format, ...);

}  // namespace tally
