#include "store/tally_file.h"

#include <cerrno>
#include <cstring>

#include "store/replace_file.h"
#include "tally/format.h"
#include "tally/number.h"
#include "tally/sheet.h"

namespace store {

static const char kTempName[] = "Tallimor.txt.tmp";

// The "%d %31s" shape: white space, a number, any white space, then a word of
// up to 31 bytes. Numbers of any length wrap modulo 2^32.
bool parse_line(const char* line, std::int32_t* number, char word[32])
{
    int used = tally::parse_number(line, number);
    if (used == 0)
        return false;
    const char* p = line + used;
    while (tally::is_space(*p))
        ++p;
    int n = 0;
    while (n < 31 && p[n] != '\0' && !tally::is_space(p[n])) {
        word[n] = p[n];
        ++n;
    }
    word[n] = '\0';
    return n > 0;
}

static void take_line(const char* line)
{
    std::int32_t number;
    char word[32];
    if (!parse_line(line, &number, word))
        return;
    for (int i = 0; i < tally::kCounters; ++i) {
        if (std::strcmp(word, tally::label(i)) == 0) {
            tally::set_counter(i, number);
            return;
        }
    }
}

// Reads as fgets does with a 1024-byte buffer: a longer line arrives in
// pieces, and each piece is parsed as a line of its own.
void read_counters(std::FILE* file)
{
    char line[1024];
    while (std::fgets(line, sizeof line, file))
        take_line(line);
}

void load()
{
    for (int i = 0; i < tally::kCounters; ++i)
        tally::set_counter(i, 0);
    std::FILE* file = std::fopen(kFileName, "r");
    if (!file)
        return;
    read_counters(file);
    std::fclose(file);
}

static int failure() { return errno != 0 ? errno : EIO; }

static int write_counters(std::FILE* file)
{
    for (int i = 0; i < tally::kCounters; ++i) {
        char line[1024];
        tally::format(line, sizeof line, "%d %s\r\n", tally::counter(i), tally::label(i));
        if (std::fputs(line, file) < 0)
            return failure();
    }
    if (std::fflush(file) != 0)
        return failure();
    return flush_to_disk(file);
}

// The new tally goes to a file beside the old one and replaces it only once
// it is complete, so a failed save leaves the previous tally as it was.
int save()
{
    if (write_protected(kFileName))
        return EACCES;
    errno = 0;
    std::FILE* file = std::fopen(kTempName, "wb");
    if (!file)
        return failure();
    int error = write_counters(file);
    if (std::fclose(file) != 0 && error == 0)
        error = failure();
    if (error == 0)
        error = replace_file(kTempName, kFileName);
    if (error != 0)
        std::remove(kTempName);
    return error;
}

}  // namespace store
