// The commands behind the window's controls: record, undo, redo, clear,
// commit, the increment selector and close, and what each asks of the window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "store/tally_file.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "tally/controls.h"
#include "tally/history.h"

using namespace tally;

namespace {

class Commands : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::start();
        command(kPlusOneRadio, 0);  // as the window's set-up does
    }

    static void press(int id, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            command(id, 0);
    }

    static void type(const char* text)
    {
        fake::window.box = text;
        command(kIncrementBox, kEnUpdate);
    }

    fake::TempDir dir;
};

TEST_F(Commands, CustomIncrementRecordsItsAmount)
{
    fake::window.box = "5";
    press(kCustomRadio);
    press(kKillButton + 3);
    EXPECT_EQ(counter(3), 5);
    EXPECT_EQ(counter(kKillTotal), 5);
    EXPECT_EQ(counter(kNeutraliseTotal), 0);
    EXPECT_EQ(fake::pane.text, "アサルトライフル 殺害 +5\n");
}

TEST_F(Commands, UndoRedoRestoreExactlyAndANewPressDropsRedo)
{
    press(kKillButton + 2);
    press(kNeutraliseButton + 4);
    std::string text = fake::pane.text;
    press(kUndoButton);
    EXPECT_EQ(counter(4), 0);
    EXPECT_TRUE(fake::window.redo_enabled);
    press(kRedoButton);
    EXPECT_EQ(fake::pane.text, text);
    EXPECT_EQ(counter(4), 1);
    EXPECT_EQ(counter(kNeutraliseTotal), 1);
    EXPECT_EQ(counter(kKillTotal), 1);
    EXPECT_FALSE(fake::window.redo_enabled);

    press(kUndoButton);
    press(kNeutraliseButton + 5);
    EXPECT_FALSE(redo_available());
    EXPECT_FALSE(fake::window.redo_enabled);
    press(kRedoButton);
    EXPECT_EQ(counter(4), 0);
}

TEST_F(Commands, ClearUndoesToTheCommitAndRedoReplaysInOrder)
{
    set_counter(0, 7);
    press(kNeutraliseButton + 0);
    press(kNeutraliseButton + 1);
    press(kNeutraliseButton + 2);
    press(kClearButton);
    EXPECT_EQ(counter(0), 7);
    EXPECT_EQ(counter(1), 0);
    EXPECT_EQ(counter(kNeutraliseTotal), 0);
    EXPECT_EQ(fake::pane.text, "");
    EXPECT_FALSE(fake::window.undo_enabled);
    EXPECT_TRUE(fake::window.redo_enabled);

    press(kRedoButton);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +1\n");
    press(kRedoButton);
    press(kRedoButton);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +1\n"
              "ショットガン 無力化 +1\n"
              "サブマシンガン 無力化 +1\n");
}

TEST_F(Commands, ClearKeepsEarlierRedoEntriesBeneath)
{
    press(kNeutraliseButton + 0);
    press(kNeutraliseButton + 1);
    press(kUndoButton);   // redo: [1]
    press(kClearButton);  // redo: [1, 0] with 0 on top
    press(kRedoButton, 2);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +1\n"
              "ショットガン 無力化 +1\n");
}

TEST_F(Commands, RefreshFollowsTheStacks)
{
    EXPECT_EQ(fake::window.refreshes, 0);
    press(kNeutraliseButton);
    EXPECT_EQ(fake::window.refreshes, 1);
    EXPECT_TRUE(fake::window.undo_enabled);
    EXPECT_FALSE(fake::window.redo_enabled);
    press(kUndoButton);
    EXPECT_FALSE(fake::window.undo_enabled);
    EXPECT_TRUE(fake::window.redo_enabled);
    int refreshes = fake::window.refreshes;
    press(kUndoButton);  // nothing to undo: no refresh
    EXPECT_EQ(fake::window.refreshes, refreshes);
    press(kCommitButton);
    EXPECT_EQ(fake::window.refreshes, refreshes + 1);
    EXPECT_FALSE(fake::window.undo_enabled);
    EXPECT_FALSE(fake::window.redo_enabled);
}

TEST_F(Commands, CommitSavesAndMarksTheJournalEvenWithNothingNew)
{
    press(kCommitButton);
    EXPECT_EQ(fake::pane.text, "---- 確定 ----\n");
    EXPECT_TRUE(std::filesystem::exists("Tallimor.txt"));
    press(kKillButton + 1, 2);
    press(kCommitButton);
    EXPECT_EQ(fake::pane.text,
              "---- 確定 ----\n"
              "ショットガン 殺害 +2\n"
              "---- 確定 ----\n");
    EXPECT_NE(fake::read_file("Tallimor.txt").find("2 ショットガン\r\n"), std::string::npos);
    press(kUndoButton);
    EXPECT_EQ(counter(1), 2);
}

TEST_F(Commands, FailedCommitReportsBeforeTheCommitLine)
{
    std::filesystem::create_directory("Tallimor.txt");
    press(kNeutraliseButton);
    press(kCommitButton);
    const std::string& text = fake::pane.text;
    std::size_t error = text.find("Tallimor.txt: ");
    ASSERT_NE(error, std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 15), "---- 確定 ----\n");
    EXPECT_LT(error, text.size() - 15);
    EXPECT_EQ(counter(0), 1);
    EXPECT_FALSE(undo_available());
}

// A tally that could not be read at start is never replaced by this run; once
// the file is gone there is nothing to keep, and the save goes ahead.
TEST_F(Commands, CommitKeepsAFileThatCouldNotBeRead)
{
    std::filesystem::create_directory("Tallimor.txt");
    int error = store::load();
    ASSERT_NE(error, 0);
    std::filesystem::remove("Tallimor.txt");
    const std::string tally = "60 無効化累計\r\n";
    fake::write_file("Tallimor.txt", tally);
    press(kNeutraliseButton);
    press(kCommitButton);
    EXPECT_EQ(fake::read_file("Tallimor.txt"), tally);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +1\nTallimor.txt: " + std::string(std::strerror(error)) + "\n---- 確定 ----\n");

    std::filesystem::remove("Tallimor.txt");
    press(kCommitButton);
    EXPECT_EQ(fake::read_file("Tallimor.txt").substr(0, 14), "1 ハンドガン\r\n");
}

TEST_F(Commands, StunRodAndCqcKillsCountWhenTheyArrive)
{
    press(kKillButton + 9);
    press(kKillButton + 10);
    EXPECT_EQ(counter(9), 1);
    EXPECT_EQ(counter(10), 1);
    EXPECT_EQ(counter(kKillTotal), 2);
}

TEST_F(Commands, IncrementSelector)
{
    EXPECT_EQ(increment(), 1);
    EXPECT_FALSE(fake::window.box_enabled);

    fake::window.box = "";
    press(kCustomRadio);
    EXPECT_TRUE(fake::window.box_enabled);
    EXPECT_EQ(increment(), 0);
    press(kNeutraliseButton);  // zero: ignored, no refresh
    EXPECT_EQ(counter(0), 0);
    EXPECT_EQ(fake::window.refreshes, 0);

    type("999999");
    EXPECT_EQ(increment(), 999999);
    type("  12");
    EXPECT_EQ(increment(), 12);
    type("+7");
    EXPECT_EQ(increment(), 7);
    type("0");
    EXPECT_EQ(increment(), 0);
    type("-5");
    EXPECT_EQ(increment(), -5);
    press(kNeutraliseButton);
    EXPECT_EQ(counter(0), 0);
    EXPECT_FALSE(undo_available());
    type("3x9");
    EXPECT_EQ(increment(), 3);

    fake::window.box = "44";
    command(kIncrementBox, 0x0300);  // EN_CHANGE: not looked at
    EXPECT_EQ(increment(), 3);

    press(kPlusOneRadio);
    EXPECT_EQ(increment(), 1);
    EXPECT_FALSE(fake::window.box_enabled);
    EXPECT_EQ(fake::window.box, "44");  // the box keeps its text
    press(kCustomRadio);
    EXPECT_EQ(increment(), 44);
    EXPECT_EQ(fake::window.refreshes, 0);  // the selector never refreshes
}

TEST_F(Commands, CloseEndsTheDialogWithoutSaving)
{
    press(kNeutraliseButton);
    press(kCancel);
    EXPECT_EQ(fake::window.ended, 0);
    EXPECT_FALSE(std::filesystem::exists("Tallimor.txt"));
}

TEST_F(Commands, OtherIdsDoNothing)
{
    for (int id : {0, 1, 99, 126, 137, 150, 162, 166, 1000, -1}) {
        command(id, 0);
        command(id, kEnUpdate);
    }
    EXPECT_EQ(fake::window.refreshes, 0);
    EXPECT_EQ(fake::window.ended, -1);
    EXPECT_EQ(fake::pane.text, "");
    EXPECT_EQ(increment(), 1);
}

// An editor's UTF-16 is not read, so its counts would look like zeros: it is
// reported, and no commit of this run replaces it.
TEST_F(Commands, CommitKeepsAUtf16File)
{
    const std::string tally(
        "\xFF\xFE"
        "5\0 \0C\0Q\0C\0\r\0\n\0",
        16);
    fake::write_file("Tallimor.txt", tally);
    ASSERT_EQ(store::load(), store::kUtf16File);
    EXPECT_EQ(counter(10), 0);
    press(kNeutraliseButton);
    press(kCommitButton);
    EXPECT_EQ(fake::read_file("Tallimor.txt"), tally);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +1\nTallimor.txt: saved as UTF-16; save it as Shift_JIS or UTF-8\n"
              "---- 確定 ----\n");
    fake::write_file("Tallimor.txt", std::string("\xFE\xFF\0"
                                                 "5\0 \0C\0Q\0C",
                                                 12));
    EXPECT_EQ(store::load(), store::kUtf16File);
}

}  // namespace
