#include "support/temp_dir.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace fake {

TempDir::TempDir() : previous_(std::filesystem::current_path())
{
    std::random_device device;
    std::mt19937_64 random(device() ^
                           static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    do {
        path_ = std::filesystem::temp_directory_path() / ("tallimor-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
    std::filesystem::current_path(path_);
}

TempDir::~TempDir()
{
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void write_file(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string bytes(const char* hex)
{
    std::string out;
    std::istringstream in(hex);
    unsigned value;
    while (in >> std::hex >> value)
        out.push_back(static_cast<char>(value));
    return out;
}

}  // namespace fake
