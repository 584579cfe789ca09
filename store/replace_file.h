// The one place where saving touches the platform.
#pragma once

#include <cstdio>

namespace store {

// Returns 0 when the file's data has reached the disk, else an errno value.
int flush_to_disk(std::FILE* file);

// False only when the system says there is no such file.
bool file_exists(const char* path);

// True when the file exists and carries the read-only attribute.
bool write_protected(const char* path);

// Puts source in place of target in one step; returns 0 or an errno value.
int replace_file(const char* source, const char* target);

}  // namespace store
