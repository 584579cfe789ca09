#include "store/tally_file.h"

#include <cerrno>
#include <cstring>

#include "store/replace_file.h"
#include "tally/format.h"
#include "tally/number.h"
#include "tally/sheet.h"

namespace store {

static const char kTempName[] = "Tallimor.txt.tmp";

// Why this run could not read the tally file it found; 0 when it read it or
// found none. While such a file stands, saving over it would lose the tally.
static int load_error;

static int failure() { return errno != 0 ? errno : EIO; }

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

static bool is_label(const char* word, int i)
{
    return std::strcmp(word, tally::label(i)) == 0 || std::strcmp(word, tally::utf8_label(i)) == 0;
}

static void take_line(const char* line)
{
    std::int32_t number;
    char word[32];
    if (!parse_line(line, &number, word))
        return;
    for (int i = 0; i < tally::kCounters; ++i) {
        if (is_label(word, i)) {
            tally::set_counter(i, number);
            return;
        }
    }
}

static bool starts_with(const char* text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// Reads as fgets does with a 1024-byte buffer: a longer line arrives in
// pieces, and each piece is parsed as a line of its own. An editor may have
// saved the file as UTF-8 with a byte order mark, which is passed over, or
// as UTF-16, which is not read at all: its counts would all look like zeros.
int read_counters(std::FILE* file)
{
    char line[1024];
    errno = 0;
    if (!std::fgets(line, sizeof line, file))
        return std::ferror(file) ? failure() : 0;
    if (starts_with(line, "\xFF\xFE") || starts_with(line, "\xFE\xFF"))
        return kUtf16File;
    take_line(starts_with(line, "\xEF\xBB\xBF") ? line + 3 : line);
    while (std::fgets(line, sizeof line, file))
        take_line(line);
    return std::ferror(file) ? failure() : 0;
}

const char* error_text(int error)
{
    if (error == kUtf16File)
        return "saved as UTF-16; save it as Shift_JIS or UTF-8";
    return std::strerror(error);
}

// A file that is busy, refused or broken is not an empty tally: the error
// goes to set-up, which shows it, and to save, which keeps the file.
int load()
{
    for (int i = 0; i < tally::kCounters; ++i)
        tally::set_counter(i, 0);
    errno = 0;
    std::FILE* file = std::fopen(kFileName, "r");
    if (!file) {
        int error = failure();
        load_error = error == ENOENT ? 0 : error;
        return load_error;
    }
    load_error = read_counters(file);
    (void)std::fclose(file);  // nothing was written to it, so nothing can be lost
    return load_error;
}

void reset_tally_file() { load_error = 0; }

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

// Writes the thirteen lines to a file opened for writing, and closes it.
static int write_and_close(std::FILE* file)
{
    int error = write_counters(file);
    if (std::fclose(file) != 0 && error == 0)
        error = failure();
    return error;
}

// The new tally goes to a file beside the old one and replaces it only once
// it is complete, so a failed save leaves the previous tally as it was. A
// folder that refuses the new file, or its taking the old one's place, may
// still let the old file be rewritten: then it is, in place.
int save()
{
    if (load_error != 0) {
        if (file_exists(kFileName))
            return load_error;
        load_error = 0;
    }
    if (write_protected(kFileName))
        return EACCES;
    errno = 0;
    std::FILE* file = std::fopen(kTempName, "wb");
    int error = file ? write_and_close(file) : failure();
    if (file && error == 0)
        error = replace_file(kTempName, kFileName);
    if (file && error != 0)
        (void)std::remove(kTempName);  // a leftover is replaced by the next save; the first error is the one to report
    if (error != EACCES && error != EPERM)
        return error;
    errno = 0;
    file = std::fopen(kFileName, "wb");
    return file ? write_and_close(file) : failure();
}

}  // namespace store
