// Runs a test inside a fresh empty directory, the working directory where the
// tally file lives, and removes it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace fake {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);

// "83 6E 83 93" -> the bytes
std::string bytes(const char* hex);

}  // namespace fake
