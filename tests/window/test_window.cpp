// The real window driven as a player drives it: presses, the increment
// selector, undo, redo, クリア, 確定, Esc and the close box, read back from
// the controls' texts, states and colours.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"
#include "tally/controls.h"
#include "tally/sheet.h"
#include "window/dialog_driver.h"
#include "window/program.h"

using namespace tally;

namespace {

constexpr COLORREF kGreen = RGB(128, 255, 128);
constexpr COLORREF kPink = RGB(255, 128, 128);
constexpr COLORREF kYellow = RGB(255, 255, 0);

class Window : public ::testing::Test {
protected:
    fake::TempDir dir;  // the working directory, where Tallimor.txt lives
};

TEST_F(Window, FirstStartShowsZerosAndNoHistory)
{
    DialogDriver window;
    for (int k = 0; k < kCategories; ++k) {
        EXPECT_EQ(window.text(kLabelField + k), label(k));
        EXPECT_EQ(window.text(kCountField + k), "0");
        EXPECT_EQ(window.text(kRatioField + k), "0.0000");
        EXPECT_NE(window.highlight(kCountField + k).brush, kPink);
        EXPECT_NE(window.highlight(kRatioField + k).brush, kGreen);
        EXPECT_TRUE(window.enabled(kNeutraliseButton + k));
        EXPECT_EQ(window.enabled(kKillButton + k), k < 9);
    }
    EXPECT_EQ(window.text(kAField), "0");
    EXPECT_EQ(window.text(kBField), "0");
    EXPECT_EQ(window.text(kMarginField), "0");
    for (int id : {kUndoButton, kRedoButton, kClearButton, kCommitButton})
        EXPECT_FALSE(window.enabled(id)) << id;
    EXPECT_TRUE(window.checked(kPlusOneRadio));
    EXPECT_FALSE(window.checked(kCustomRadio));
    EXPECT_FALSE(window.enabled(kIncrementBox));
    EXPECT_EQ(window.focus_id(), kNeutraliseButton);
    EXPECT_EQ(window.default_id(), kCommitButton);
    EXPECT_EQ(window.text(kJournalPane), "");
}

TEST_F(Window, OnePressCountsHighlightsAndEnablesHistory)
{
    DialogDriver window;
    window.click(kNeutraliseButton);
    EXPECT_EQ(window.text(kCountField), "1");
    EXPECT_EQ(window.text(kRatioField), "11.0000");
    EXPECT_EQ(window.text(kRatioField + 1), "0.0000");
    EXPECT_EQ(window.text(kAField), "1");
    EXPECT_EQ(window.text(kJournalPane), "ハンドガン 無力化 +1\n");

    Highlight leading = window.highlight(kCountField);
    EXPECT_EQ(leading.brush, kPink);
    EXPECT_EQ(leading.text, kYellow);
    EXPECT_EQ(leading.background_mode, TRANSPARENT);
    EXPECT_NE(window.highlight(kRatioField).brush, kGreen);
    EXPECT_NE(window.highlight(kCountField + 1).brush, kPink);

    EXPECT_TRUE(window.enabled(kUndoButton));
    EXPECT_TRUE(window.enabled(kClearButton));
    EXPECT_TRUE(window.enabled(kCommitButton));
    EXPECT_FALSE(window.enabled(kRedoButton));
}

TEST_F(Window, HighlightedFieldIsPinkOnScreen)
{
    DialogDriver window;
    window.click(kNeutraliseButton + 4);
    RedrawWindow(window.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
    COLORREF pixel = CLR_INVALID;
    for (int i = 0; i < 100 && pixel != kPink; ++i) {
        Sleep(20);
        pixel = window.screen_pixel(kCountField + 4, 3, 3);
    }
    EXPECT_EQ(pixel, kPink);
    EXPECT_NE(window.screen_pixel(kCountField + 3, 3, 3), kPink);
}

TEST_F(Window, BalancedRatiosAreGreen)
{
    std::string file;
    for (int k = 0; k < kCategories; ++k)
        file += "10 " + std::string(label(k)) + "\r\n";
    fake::write_file("Tallimor.txt", file);
    DialogDriver window;
    window.click(kNeutraliseButton + 2);  // 11 against a mean of 10.09
    for (int k = 0; k < kCategories; ++k) {
        Highlight ratio = window.highlight(kRatioField + k);
        EXPECT_EQ(ratio.brush, kGreen) << k;
        EXPECT_EQ(ratio.text, RGB(0, 0, 0));
        EXPECT_EQ(ratio.background_mode, TRANSPARENT);
        EXPECT_EQ(window.highlight(kCountField + k).brush == kPink, k == 2) << k;
    }
    EXPECT_EQ(window.text(kRatioField + 2), "1.0901");
}

TEST_F(Window, LoadsTheTallyFileAndShowsTotals)
{
    fake::write_file("Tallimor.txt", "5 無効化累計\n3 殺害累計\n-4 ミサイル\n7 CQC\n");
    DialogDriver window;
    EXPECT_EQ(window.text(kAField), "5");
    EXPECT_EQ(window.text(kBField), "6");
    EXPECT_EQ(window.text(kMarginField), "-1");
    EXPECT_EQ(window.text(kCountField + 6), "-4");
    EXPECT_EQ(window.text(kCountField + 10), "7");
    EXPECT_EQ(window.highlight(kCountField + 10).brush, kPink);
}

// A tally an editor saved as UTF-8 with a byte order mark shows its counts,
// and the next 確定 writes it back as Shift_JIS.
TEST_F(Window, AUtf8TallyIsShownAndCommittedAsShiftJis)
{
    fake::write_file("Tallimor.txt", u8"\uFEFF12 ハンドガン\r\n5 CQC\r\n3 スナイパーライフル\r\n20 無効化累計\r\n");
    DialogDriver window;
    EXPECT_EQ(window.text(kCountField), "12");
    EXPECT_EQ(window.text(kCountField + 5), "3");
    EXPECT_EQ(window.text(kCountField + 10), "5");
    EXPECT_EQ(window.text(kAField), "20");
    window.click(kCommitButton);
    EXPECT_EQ(window.text(kJournalPane), "---- 確定 ----\n");
    EXPECT_EQ(fake::read_file("Tallimor.txt"),
              "12 ハンドガン\r\n0 ショットガン\r\n0 サブマシンガン\r\n"
              "0 アサルトライフル\r\n0 マシンガン\r\n3 スナイパーライフル\r\n"
              "0 ミサイル\r\n0 投擲武器\r\n0 設置武器\r\n0 スタンロッド\r\n"
              "5 CQC\r\n20 無効化累計\r\n0 殺害累計\r\n");
}

TEST_F(Window, IncrementSelectorAndTyping)
{
    DialogDriver window;
    window.click(kCustomRadio);
    EXPECT_TRUE(window.checked(kCustomRadio));
    EXPECT_FALSE(window.checked(kPlusOneRadio));
    EXPECT_TRUE(window.enabled(kIncrementBox));

    window.click(kNeutraliseButton);  // empty box: increment 0
    EXPECT_EQ(window.text(kCountField), "0");
    EXPECT_FALSE(window.enabled(kUndoButton));

    window.type("12a34-5678");  // digits only, six at most
    EXPECT_EQ(window.text(kIncrementBox), "123456");
    window.click(kKillButton + 3);  // counts at once, without leaving the box
    EXPECT_EQ(window.text(kCountField + 3), "123456");
    EXPECT_EQ(window.text(kBField), "246912");
    EXPECT_EQ(window.text(kJournalPane), "アサルトライフル 殺害 +123456\n");

    window.click(kPlusOneRadio);
    EXPECT_TRUE(window.checked(kPlusOneRadio));
    EXPECT_FALSE(window.checked(kCustomRadio));
    EXPECT_FALSE(window.enabled(kIncrementBox));
    EXPECT_EQ(window.text(kIncrementBox), "123456");
    window.click(kKillButton + 3);
    EXPECT_EQ(window.text(kCountField + 3), "123457");
    window.click(kCustomRadio);  // the typed number counts again
    window.click(kKillButton + 3);
    EXPECT_EQ(window.text(kCountField + 3), "246913");
}

TEST_F(Window, UndoRedoClearAndCommitThroughTheButtons)
{
    DialogDriver window;
    window.click(kNeutraliseButton + 0);
    window.click(kNeutraliseButton + 1);
    window.click(kNeutraliseButton + 1);
    window.click(kKillButton + 2);
    EXPECT_EQ(window.text(kJournalPane), "ハンドガン 無力化 +1\nショットガン 無力化 +2\nサブマシンガン 殺害 +1\n");
    window.click(kUndoButton);
    window.click(kUndoButton);
    EXPECT_EQ(window.text(kJournalPane), "ハンドガン 無力化 +1\nショットガン 無力化 +1\n");
    EXPECT_TRUE(window.enabled(kRedoButton));
    window.click(kRedoButton);
    EXPECT_EQ(window.text(kJournalPane), "ハンドガン 無力化 +1\nショットガン 無力化 +2\n");
    window.click(kClearButton);
    EXPECT_EQ(window.text(kJournalPane), "");
    EXPECT_EQ(window.text(kAField), "0");
    EXPECT_FALSE(window.enabled(kUndoButton));
    EXPECT_FALSE(window.enabled(kCommitButton));
    window.click(kRedoButton);
    window.click(kRedoButton);
    window.click(kCommitButton);
    EXPECT_EQ(window.text(kJournalPane), "ハンドガン 無力化 +1\nショットガン 無力化 +1\n---- 確定 ----\n");
    for (int id : {kUndoButton, kRedoButton, kClearButton, kCommitButton})
        EXPECT_FALSE(window.enabled(id)) << id;
    std::string saved = fake::read_file("Tallimor.txt");
    EXPECT_EQ(saved.rfind("1 ハンドガン\r\n1 ショットガン\r\n0 サブマシンガン\r\n", 0), 0u);
    EXPECT_NE(saved.find("\r\n2 無効化累計\r\n0 殺害累計\r\n"), std::string::npos);
}

TEST_F(Window, FailedCommitIsReportedInTheJournal)
{
    DialogDriver window;
    std::filesystem::create_directory("Tallimor.txt");  // after start: a save that fails
    window.click(kNeutraliseButton);
    window.click(kCommitButton);
    std::string journal = window.text(kJournalPane);
    EXPECT_EQ(journal.rfind("ハンドガン 無力化 +1\nTallimor.txt: ", 0), 0u) << journal;
    EXPECT_EQ(journal.substr(journal.size() - 15), "---- 確定 ----\n");
    EXPECT_EQ(window.text(kCountField), "1");
    EXPECT_TRUE(std::filesystem::is_directory("Tallimor.txt"));
}

// Another program holds the tally without sharing while Tallimor starts: the
// journal says so, and a later 確定 leaves the file as it was.
TEST_F(Window, AFileHeldAtStartIsReportedAndKept)
{
    const std::string tally = "10 ハンドガン\r\n20 ショットガン\r\n30 サブマシンガン\r\n60 無効化累計\r\n";
    fake::write_file("Tallimor.txt", tally);
    HANDLE held = CreateFileA("Tallimor.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DialogDriver window;
    CloseHandle(held);
    const std::string error = "Tallimor.txt: Permission denied\n";
    EXPECT_EQ(window.text(kJournalPane), error);
    EXPECT_EQ(window.text(kAField), "0");
    window.click(kNeutraliseButton);
    window.click(kCommitButton);
    EXPECT_EQ(window.text(kJournalPane), error + "ハンドガン 無力化 +1\n" + error + "---- 確定 ----\n");
    EXPECT_EQ(fake::read_file("Tallimor.txt"), tally);
}

TEST_F(Window, ClosingWithoutCommitLeavesTheFileAlone)
{
    const std::string before = "4 ハンドガン\r\n1 無効化累計\r\n";
    fake::write_file("Tallimor.txt", before);
    {
        DialogDriver window;
        window.click(kNeutraliseButton);
        window.key(VK_ESCAPE);
        EXPECT_EQ(window.wait_closed(), 0);
    }
    {
        DialogDriver window;
        EXPECT_EQ(window.text(kCountField), "4");
        window.click(kKillButton + 5);
        EXPECT_EQ(window.close_box(), 0);
    }
    EXPECT_EQ(fake::read_file("Tallimor.txt"), before);
}

// Real mouse input, which reaches only enabled windows. Input arrives in
// order: once a click on an enabled button has counted, the clicks before it
// have been handled too.
TEST_F(Window, DisabledKillButtonsTakeNoClicks)
{
    DialogDriver window;
    auto counted = [&window](int row, const char* count) {
        for (int i = 0; i < 300 && window.text(kCountField + row) != count; ++i)
            Sleep(10);
        return window.text(kCountField + row) == count;
    };
    // The first input after the window opens may arrive before it can take it.
    for (int attempt = 0; attempt < 5 && window.text(kCountField + 7) == "0"; ++attempt) {
        window.mouse_click(kKillButton + 7);
        counted(7, "1");
    }
    ASSERT_EQ(window.text(kCountField + 7), "1") << "the mouse does not reach the window";

    window.mouse_click(kKillButton + 9);
    window.mouse_click(kKillButton + 10);
    window.mouse_click(kKillButton + 8);
    ASSERT_TRUE(counted(8, "1"));
    EXPECT_EQ(window.text(kCountField + 9), "0");
    EXPECT_EQ(window.text(kCountField + 10), "0");
    EXPECT_EQ(window.text(kBField), "4");
}

// Wine's edit control counts positions in characters while an ANSI window's
// text length is in bytes: Japanese lines must still be cut exactly.
TEST_F(Window, JapaneseLinesUndoAndRedoExactly)
{
    DialogDriver window;
    std::string steps[12];
    for (int i = 0; i < 12; ++i) {
        window.click(kNeutraliseButton + (i % 6));
        steps[i] = window.text(kJournalPane);
    }
    EXPECT_EQ(steps[11].rfind("ハンドガン 無力化 +1\nショットガン 無力化 +1\n", 0), 0u);
    for (int i = 11; i > 0; --i) {
        window.click(kUndoButton);
        ASSERT_EQ(window.text(kJournalPane), steps[i - 1]) << i;
    }
    for (int i = 1; i < 12; ++i) {
        window.click(kRedoButton);
        ASSERT_EQ(window.text(kJournalPane), steps[i]) << i;
    }
}

// The journal has no length limit: past the edit control's default of about
// 30,000 characters every line still lands, and undo takes each back out.
TEST_F(Window, LongJournalStaysExact)
{
    DialogDriver window;
    window.click(kCustomRadio);
    window.type("999999");  // long lines: fewer presses to pass 40,000 characters
    std::vector<std::size_t> lengths;
    std::string expected;
    int presses = 0;
    while (GetWindowTextLengthW(window.item(kJournalPane)) <= 40000) {
        int row = presses % 2 == 0 ? 5 : 3;
        window.click(kKillButton + row);
        expected += std::string(label(row)) + " 殺害 +999999\n";
        lengths.push_back(expected.size());
        if (++presses % 500 == 0) {
            ASSERT_EQ(window.text(kJournalPane), expected);
        }
    }
    ASSERT_EQ(window.text(kJournalPane), expected);
    for (int i = presses - 1; i >= 0; --i) {
        window.click(kUndoButton);
        ASSERT_EQ(window.text(kJournalPane), expected.substr(0, i > 0 ? lengths[static_cast<std::size_t>(i) - 1] : 0))
            << "after undoing press " << i;
    }
}

}  // namespace

namespace {

// The Tallimor.exe to start: the file TALLIMOR_EXE in the environment names
// (the one the release ships), otherwise this build's.
std::string tallimor_exe()
{
    const char* shipped = std::getenv("TALLIMOR_EXE");
    const std::string exe = shipped ? shipped : TALLIMOR_EXE;
    std::printf("starting %s\n", exe.c_str());
    return exe;
}

// Tallimor.exe itself, as a player starts it: arguments are ignored, the
// tally is read from the working directory, closing saves nothing, and the
// exit code is 0.
TEST_F(Window, TheProgramIgnoresArgumentsAndSavesNothingOnClose)
{
    const std::string exe = tallimor_exe();
    const std::string tally = "3 CQC\r\n";
    fake::write_file("Tallimor.txt", tally);
    for (const char* arguments : {"", " --reset Tallimor.txt 99"}) {
        Program program = start_program("\"" + exe + "\"" + arguments);
        ASSERT_TRUE(program.window) << arguments;
        EXPECT_EQ(text_of(GetDlgItem(program.window, kCountField + 10)), "3") << arguments;
        SendMessageA(GetDlgItem(program.window, kNeutraliseButton), BM_CLICK, 0, 0);
        EXPECT_EQ(text_of(GetDlgItem(program.window, kCountField)), "1");
        EXPECT_EQ(close_program(program), 0);
        EXPECT_EQ(fake::read_file("Tallimor.txt"), tally);
    }
}

// Two windows on one tally would commit over each other's counts. A second
// start in a folder, however its path is spelt, brings the window open there
// forward and ends; another folder has a window of its own; and once the
// first has closed, its folder starts as usual.
TEST_F(Window, TheProgramOpensOneWindowPerFolder)
{
    const std::string exe = "\"" + tallimor_exe() + "\"";
    Program first = start_program(exe);
    ASSERT_TRUE(first.window);
    ShowWindow(first.window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(first.window));
    std::string folder = std::filesystem::current_path().string();
    for (char& c : folder)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));  // the test folders' names are ASCII
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    Program second = start_program(exe);
    std::filesystem::current_path(dir.path());
    EXPECT_FALSE(second.window);
    EXPECT_EQ(wait_for_exit(second), 0);
    for (int i = 0; i < 100 && IsIconic(first.window); ++i)
        Sleep(20);
    EXPECT_FALSE(IsIconic(first.window));
    EXPECT_EQ(GetForegroundWindow(), first.window);
    {
        fake::TempDir other;
        Program elsewhere = start_program(exe);
        EXPECT_TRUE(elsewhere.window);
        EXPECT_EQ(close_program(elsewhere), 0);
    }
    EXPECT_TRUE(IsWindowVisible(first.window));
    EXPECT_EQ(close_program(first), 0);
    Program again = start_program(exe);
    EXPECT_TRUE(again.window);
    EXPECT_EQ(close_program(again), 0);
}

}  // namespace
