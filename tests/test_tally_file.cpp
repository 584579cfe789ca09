// The tally file: what the reader accepts, the writer's exact bytes, and
// that a save which fails leaves the previous tally in place.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "store/tally_file.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "tally/sheet.h"

using namespace tally;

namespace {

class TallyFile : public ::testing::Test {
protected:
    void SetUp() override { fake::start(); }

    // Loads a file of these bytes and returns the thirteen counters.
    static std::vector<std::int32_t> load_bytes(const std::string& content)
    {
        fake::write_file("Tallimor.txt", content);
        for (int i = 0; i < kCounters; ++i)
            set_counter(i, 12345);
        store::load();
        std::vector<std::int32_t> counters;
        for (int i = 0; i < kCounters; ++i)
            counters.push_back(counter(i));
        return counters;
    }

    static std::vector<std::int32_t> only(int index, std::int32_t value)
    {
        std::vector<std::int32_t> counters(kCounters, 0);
        counters[static_cast<std::size_t>(index)] = value;
        return counters;
    }

    fake::TempDir dir;
};

const char kWritten[] =
    "1 ハンドガン\r\n"
    "-2 ショットガン\r\n"
    "3 サブマシンガン\r\n"
    "4 アサルトライフル\r\n"
    "5 マシンガン\r\n"
    "6 スナイパーライフル\r\n"
    "7 ミサイル\r\n"
    "8 投擲武器\r\n"
    "9 設置武器\r\n"
    "10 スタンロッド\r\n"
    "2147483647 CQC\r\n"
    "-2147483648 無効化累計\r\n"
    "0 殺害累計\r\n";

// The same as an editor saves it back: UTF-8.
const char kWrittenUtf8[] =
    u8"1 ハンドガン\r\n"
    u8"-2 ショットガン\r\n"
    u8"3 サブマシンガン\r\n"
    u8"4 アサルトライフル\r\n"
    u8"5 マシンガン\r\n"
    u8"6 スナイパーライフル\r\n"
    u8"7 ミサイル\r\n"
    u8"8 投擲武器\r\n"
    u8"9 設置武器\r\n"
    u8"10 スタンロッド\r\n"
    u8"2147483647 CQC\r\n"
    u8"-2147483648 無効化累計\r\n"
    u8"0 殺害累計\r\n";

const std::vector<std::int32_t> kWrittenCounters = {1, -2, 3, 4, 5, 6, 7, 8, 9, 10, INT_MAX, INT_MIN, 0};

// A missing file is the first start; one that is there but cannot be read
// (here a directory in its place) is reported. Both give zeros.
TEST_F(TallyFile, MissingFileIsSilentUnreadableFileIsReported)
{
    set_counter(4, 9);
    EXPECT_EQ(store::load(), 0);
    for (int i = 0; i < kCounters; ++i)
        EXPECT_EQ(counter(i), 0);

    std::filesystem::create_directory("Tallimor.txt");
    set_counter(4, 9);
    EXPECT_NE(store::load(), 0);
    for (int i = 0; i < kCounters; ++i)
        EXPECT_EQ(counter(i), 0);
}

TEST_F(TallyFile, ReaderTakesLabelsInAnyOrderAndTheLastRepeat)
{
    EXPECT_EQ(load_bytes("5 CQC\n"), only(10, 5));
    EXPECT_EQ(load_bytes("3 ハンドガン\n7 ハンドガン\n"), only(0, 7));
    EXPECT_EQ(load_bytes("9 殺害累計\r\n"), only(12, 9));
    EXPECT_EQ(load_bytes("  \t+4 ミサイル"), only(6, 4));  // no final line feed
    EXPECT_EQ(load_bytes("-4 ミサイル\n"), only(6, -4));
}

// A file re-saved by an editor in UTF-8, with or without a byte order mark,
// still holds the player's counts; the mark counts only at the very start.
TEST_F(TallyFile, ReaderTakesUtf8LabelsAndAByteOrderMark)
{
    EXPECT_EQ(load_bytes(kWrittenUtf8), kWrittenCounters);
    EXPECT_EQ(load_bytes("\xEF\xBB\xBF" + std::string(kWrittenUtf8)), kWrittenCounters);
    EXPECT_EQ(load_bytes("\xEF\xBB\xBF"
                         "5 CQC\n"),
              only(10, 5));
    EXPECT_EQ(load_bytes(u8"3 ハンドガン\n"
                         "7 ハンドガン\n"),
              only(0, 7));
    EXPECT_EQ(load_bytes("7 ハンドガン\n"
                         u8"3 ハンドガン\n"),
              only(0, 3));
    EXPECT_EQ(load_bytes("1 CQC\n\xEF\xBB\xBF"
                         "5 CQC\n"),
              only(10, 1));
    EXPECT_EQ(load_bytes(u8"8 無力化累計\n"
                         u8"2 CQCextra\n"),
              only(10, 0));
}

TEST_F(TallyFile, ReaderSkipsWhatIsNotALabelledNumber)
{
    EXPECT_EQ(load_bytes("8 無力化累計\n"), only(11, 0));  // the caption's wording
    EXPECT_EQ(load_bytes("6\n\nCQC 5\n- 5 CQC\n+ CQC\n"), only(10, 0));
    EXPECT_EQ(load_bytes("2 CQCextra\n"), only(10, 0));
    EXPECT_EQ(load_bytes(fake::bytes("81 7C 34 20 43 51 43")), only(10, 0));  // full-width minus
    EXPECT_EQ(load_bytes("1 cqc\n1 ＣＱＣ\n"), only(10, 0));
}

TEST_F(TallyFile, ReaderTakesJoinedAndTrailingText)
{
    EXPECT_EQ(load_bytes("5CQC\n"), only(10, 5));
    EXPECT_EQ(load_bytes("2 CQC extra\n"), only(10, 2));
    EXPECT_EQ(load_bytes("2\tCQC\x0b\x0c\r\n"), only(10, 2));
}

// Numbers beyond 32 bits wrap modulo 2^32, however many digits they have.
TEST_F(TallyFile, NumbersOutOfRangeWrap)
{
    EXPECT_EQ(load_bytes("2147483648 CQC\n"), only(10, INT_MIN));
    EXPECT_EQ(load_bytes("4294967296 CQC\n"), only(10, 0));
    EXPECT_EQ(load_bytes("4294967297 CQC\n"), only(10, 1));
    EXPECT_EQ(load_bytes("-2147483649 CQC\n"), only(10, INT_MAX));
    EXPECT_EQ(load_bytes("99999999999999999999 CQC\n"), only(10, 1661992959));
    EXPECT_EQ(load_bytes(std::string(900, '0') + "17 CQC\n"), only(10, 17));
}

// A line longer than 1023 bytes is read in pieces, each taken on its own.
TEST_F(TallyFile, LongLinesArriveInPieces)
{
    EXPECT_EQ(load_bytes(std::string(1023, ' ') + "5 CQC\n"), only(10, 5));
    EXPECT_EQ(load_bytes(std::string(1022, ' ') + "5 CQC\n"), only(10, 0));  // "5" ends piece one
    EXPECT_EQ(load_bytes("3 CQC" + std::string(1100, ' ') + "4 ハンドガン\n"), [] {
        auto c = only(10, 3);
        c[0] = 4;
        return c;
    }());
    std::string word(40, 'W');
    EXPECT_EQ(load_bytes("1 " + word + "\n1 CQC\n"), only(10, 1));
}

TEST_F(TallyFile, LongWordsAreCutAt31Bytes)
{
    std::int32_t number = 0;
    char word[32];
    std::string line = "12 " + std::string(40, 'x') + " tail";
    ASSERT_TRUE(store::parse_line(line.c_str(), &number, word));
    EXPECT_EQ(number, 12);
    EXPECT_EQ(std::string(word), std::string(31, 'x'));
    EXPECT_FALSE(store::parse_line("12", &number, word));
    EXPECT_FALSE(store::parse_line("12 \r\n", &number, word));
    EXPECT_FALSE(store::parse_line("x 12", &number, word));
}

TEST_F(TallyFile, WriterBytesAreExact)
{
    for (int i = 0; i < 10; ++i)
        set_counter(i, i + 1);
    set_counter(1, -2);
    set_counter(10, INT_MAX);
    set_counter(11, INT_MIN);
    ASSERT_EQ(store::save(), 0);
    EXPECT_EQ(fake::read_file("Tallimor.txt"), kWritten);
    EXPECT_FALSE(std::filesystem::exists("Tallimor.txt.tmp"));
}

TEST_F(TallyFile, RoundTripGivesBackTheCounters)
{
    auto counters = load_bytes(kWritten);
    ASSERT_EQ(store::save(), 0);
    EXPECT_EQ(fake::read_file("Tallimor.txt"), kWritten);
    EXPECT_EQ(load_bytes(fake::read_file("Tallimor.txt")), counters);
}

TEST_F(TallyFile, SaveReplacesAnOldFileAndAStaleTemporary)
{
    fake::write_file("Tallimor.txt", "old");
    fake::write_file("Tallimor.txt.tmp", "left from a crash");
    set_counter(10, 3);
    ASSERT_EQ(store::save(), 0);
    EXPECT_NE(fake::read_file("Tallimor.txt").find("3 CQC\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("Tallimor.txt.tmp"));
}

// A save that fails reports why and leaves the old tally and no temporary.
TEST_F(TallyFile, FailedSavesLeaveTheOldFile)
{
    fake::write_file("Tallimor.txt", kWritten);
    std::filesystem::permissions("Tallimor.txt", std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
    set_counter(0, 99);
    EXPECT_EQ(store::save(), EACCES);
    EXPECT_EQ(fake::read_file("Tallimor.txt"), kWritten);
    EXPECT_FALSE(std::filesystem::exists("Tallimor.txt.tmp"));
    std::filesystem::permissions("Tallimor.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);

    std::filesystem::create_directory("Tallimor.txt.tmp");  // the temporary cannot be made
#ifdef _WIN32
    // Windows calls it access denied, a refusal: the file is rewritten in place.
    EXPECT_EQ(store::save(), 0);
    EXPECT_NE(fake::read_file("Tallimor.txt").find("99 ハンドガン\r\n"), std::string::npos);
    fake::write_file("Tallimor.txt", kWritten);
#else
    EXPECT_NE(store::save(), 0);
    EXPECT_EQ(fake::read_file("Tallimor.txt"), kWritten);
#endif
    std::filesystem::remove("Tallimor.txt.tmp");

    std::filesystem::remove("Tallimor.txt");
    std::filesystem::create_directory("Tallimor.txt");  // the target cannot be replaced
    EXPECT_NE(store::save(), 0);
    EXPECT_TRUE(std::filesystem::is_directory("Tallimor.txt"));
    EXPECT_FALSE(std::filesystem::exists("Tallimor.txt.tmp"));
}

#ifndef _WIN32
// A folder that lets the file be rewritten but refuses new files: the save
// goes in place, as a plain rewrite would. chattr +i makes one, even for root.
TEST_F(TallyFile, FolderThatRefusesNewFilesGetsTheFileRewritten)
{
    fake::write_file("Tallimor.txt", "old\r\n");
    if (std::system("chattr +i . 2>/dev/null") != 0)
        GTEST_SKIP() << "chattr +i cannot be set here: it needs root and a file system that has the flag";
    set_counter(10, 5);
    int error = store::save();
    std::system("chattr -i .");
    EXPECT_EQ(error, 0);
    EXPECT_EQ(fake::read_file("Tallimor.txt").substr(0, 14), "0 ハンドガン\r\n");
    EXPECT_NE(fake::read_file("Tallimor.txt").find("\r\n5 CQC\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("Tallimor.txt.tmp"));
}
#endif

}  // namespace
