// The tally file: the thirteen counters carried from one run to the next.
#pragma once

#include <cstdint>
#include <cstdio>

namespace store {

constexpr const char* kFileName = "Tallimor.txt";

// Sets the counters from the tally file; zero where it has nothing.
void load();

// Writes the counters; returns 0, or an errno value when the file was left
// as it was.
int save();

// The parts of load, for tests and the fuzzer.
void read_counters(std::FILE* file);
bool parse_line(const char* line, std::int32_t* number, char word[32]);

}  // namespace store
