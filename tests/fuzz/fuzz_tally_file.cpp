// Feeds arbitrary bytes to the tally-file reader. Besides the sanitizers'
// checks: a counter changes only when its label occurs in the input, in
// Shift_JIS or UTF-8, and a parsed word is a non-empty run of at most 31 non-space bytes of the line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "store/tally_file.h"
#include "tally/number.h"
#include "tally/sheet.h"

namespace {

constexpr std::int32_t kUntouched = 0x5A5A5A5A;

void check_parse(const std::string& line)
{
    std::int32_t number;
    char word[32];
    std::memset(word, 0x7F, sizeof word);
    if (!store::parse_line(line.c_str(), &number, word))
        return;
    std::size_t length = std::strlen(word);
    if (length == 0 || length > 31 || line.find(word) == std::string::npos)
        std::abort();
    for (std::size_t i = 0; i < length; ++i)
        if (tally::is_space(word[i]))
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    check_parse(input);

    for (int i = 0; i < tally::kCounters; ++i)
        tally::set_counter(i, kUntouched);
    std::FILE* file = fmemopen(input.data(), input.size(), "r");
    if (!file)
        return 0;
    store::read_counters(file);
    std::fclose(file);
    for (int i = 0; i < tally::kCounters; ++i) {
        bool named = input.find(tally::label(i)) != std::string::npos ||
                     input.find(tally::utf8_label(i)) != std::string::npos;
        if (tally::counter(i) != kUntouched && !named)
            std::abort();
    }
    return 0;
}
