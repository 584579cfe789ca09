// The tally file: the thirteen counters carried from one run to the next.
#pragma once

#include <cstdint>
#include <cstdio>

namespace store {

constexpr const char* kFileName = "Tallimor.txt";

// Sets the counters from the tally file; zero where it has nothing. Returns
// 0, also for a missing file (the first start), or the errno value of a file
// that exists but could not be read (kUtf16File for one in UTF-16).
int load();

// Writes the counters; returns 0, or an errno value when the file was left
// as it was. A file that this run could not read is never replaced: its
// save fails with the error the load met.
int save();

// The error of a tally file saved as UTF-16, which is not read, and so
// never replaced: not an errno value.
constexpr int kUtf16File = -1;

// The text the journal shows for an error of load or save.
const char* error_text(int error);

// Back to process start: no failed load remembered.
void reset_tally_file();

// The parts of load, for tests and the fuzzer. read_counters returns 0, or
// the errno value of a read that failed part way.
int read_counters(std::FILE* file);
bool parse_line(const char* line, std::int32_t* number, char word[32]);

}  // namespace store
