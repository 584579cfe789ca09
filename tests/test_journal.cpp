// How presses show in the journal: runs of one button fold into one line,
// and undo, redo, clear and commit keep the text and the counters in step.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/fakes.h"
#include "support/temp_dir.h"
#include "tally/controls.h"
#include "tally/history.h"
#include "tally/journal.h"

using namespace tally;

namespace {

class Journal : public ::testing::Test {
protected:
    void SetUp() override { fake::start(); }

    static void press(int id, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            command(id, 0);
    }

    static void set_increment_box(const char* text)
    {
        fake::window.box = text;
        command(kCustomRadio, 0);
    }

    fake::TempDir dir;
};

constexpr int kHandgun = kNeutraliseButton + 0;
constexpr int kShotgun = kNeutraliseButton + 1;
constexpr int kHandgunKill = kKillButton + 0;

TEST_F(Journal, RepeatedPressesFoldIntoOneLine)
{
    press(kHandgun, 3);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +3\n");
    EXPECT_EQ(counter(0), 3);
    EXPECT_EQ(counter(kNeutraliseTotal), 3);
}

TEST_F(Journal, OnlyTheLastLineIsJoined)
{
    press(kHandgun);
    press(kShotgun);
    press(kHandgun);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +1\n"
              "ショットガン 無力化 +1\n"
              "ハンドガン 無力化 +1\n");
    press(kHandgunKill);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +1\n"
              "ショットガン 無力化 +1\n"
              "ハンドガン 無力化 +1\n"
              "ハンドガン 殺害 +1\n");
}

TEST_F(Journal, UndoShrinksTheRunThenRemovesIt)
{
    press(kHandgun, 3);
    press(kUndoButton);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +2\n");
    press(kUndoButton);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +1\n");
    press(kUndoButton);
    EXPECT_EQ(fake::pane.text, "");
    EXPECT_EQ(counter(0), 0);
    EXPECT_GT(fake::pane.repaints, 0);

    // The run is gone: a press after this starts a fresh line.
    press(kHandgun);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +1\n");
}

TEST_F(Journal, DifferentAmountsFoldAndUnfold)
{
    press(kHandgun);
    set_increment_box("10");
    press(kHandgun);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +11\n");
    press(kUndoButton);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +1\n");
    press(kRedoButton);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +11\n");
}

TEST_F(Journal, UndoneRunLetsTheEarlierLineGrowAgain)
{
    press(kHandgun);
    press(kShotgun);
    press(kUndoButton);
    press(kHandgun);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +2\n");
}

TEST_F(Journal, CommitStartsNewLinesAndIsNeverUndone)
{
    press(kHandgun, 2);
    press(kCommitButton);
    press(kHandgun);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +2\n"
              "---- 確定 ----\n"
              "ハンドガン 無力化 +1\n");
    press(kUndoButton);
    press(kUndoButton);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +2\n"
              "---- 確定 ----\n");
    EXPECT_EQ(counter(0), 2);
}

TEST_F(Journal, SaveErrorLineStaysThroughUndoAndClear)
{
    std::filesystem::create_directory("Tallimor.txt");
    press(kHandgun);
    press(kCommitButton);
    std::string after_commit = fake::pane.text;
    EXPECT_NE(after_commit.find("Tallimor.txt: "), std::string::npos);
    press(kShotgun, 2);
    press(kClearButton);
    press(kUndoButton);
    EXPECT_EQ(fake::pane.text, after_commit);
}

TEST_F(Journal, ClearRemovesEveryLineSinceTheCommitAndRedoRestoresThem)
{
    press(kHandgun);
    press(kShotgun, 2);
    press(kHandgunKill);
    std::string full = fake::pane.text;
    press(kClearButton);
    EXPECT_EQ(fake::pane.text, "");
    press(kRedoButton, 4);
    EXPECT_EQ(fake::pane.text, full);
}

TEST_F(Journal, TextBeforeTheViewIsAttachedIsDropped)
{
    attach(nullptr);
    append("lost\n");
    remove_last();
    attach(&fake::pane_view);
    append("kept\n");
    remove_last();
    EXPECT_EQ(fake::pane.text, "");
    append("kept\n");
    EXPECT_EQ(fake::pane.text, "kept\n");
}

TEST_F(Journal, LongTextsAreCutAt1023Bytes)
{
    std::string long_text(2000, 'x');
    append("%s", long_text.c_str());
    EXPECT_EQ(fake::pane.text.size(), 1023u);
    remove_last();
    EXPECT_EQ(fake::pane.text, "");
}

// A run's sum stays within 2^31 - 1: the press that would carry it past
// starts a line of its own, so no line shows a negative sum and every undo
// takes back exactly its own press.
TEST_F(Journal, RunsThatWouldOverflowSplit)
{
    set_increment(1000000000);
    press(kHandgun, 2);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +2000000000\n");
    press(kHandgun);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +2000000000\n"
              "ハンドガン 無力化 +1000000000\n");
    EXPECT_EQ(counter(0), -1294967296);  // the counter wraps as before
    set_increment(147483647);
    press(kHandgun);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +2000000000\n"
              "ハンドガン 無力化 +1147483647\n");
    for (int i = 0; i < 4; ++i)
        press(kUndoButton);
    EXPECT_EQ(fake::pane.text, "");
    EXPECT_EQ(counter(0), 0);
    EXPECT_EQ(counter(kNeutraliseTotal), 0);
    press(kRedoButton, 4);
    EXPECT_EQ(fake::pane.text,
              "ハンドガン 無力化 +2000000000\n"
              "ハンドガン 無力化 +1147483647\n");
}

TEST_F(Journal, RunMayReachExactlyTheLargestSum)
{
    set_increment(INT_MAX - 1);
    press(kHandgun);
    set_increment(1);
    press(kHandgun);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +2147483647\n");
    press(kUndoButton);
    EXPECT_EQ(fake::pane.text, "ハンドガン 無力化 +2147483646\n");
}

}  // namespace
