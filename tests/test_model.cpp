// Random command sequences checked after every step against a small model
// of what the tool promises: the counters are the committed baseline plus
// the entries that can be undone, the journal since the last commit line is
// those entries folded into runs, and the buttons follow the history.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "store/tally_file.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "tally/controls.h"
#include "tally/history.h"

using namespace tally;

namespace {

struct Model {
    std::int64_t baseline[kCounters] = {};  // as committed, not yet wrapped
    std::vector<Entry> undo;
    std::vector<Entry> redo;
    std::int32_t increment = 1;
    bool box_enabled = false;
    std::string committed_text;  // the journal up to the last commit line
};

std::int32_t wrap(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// The journal lines for a sequence of entries: consecutive entries of one
// button make one line, as long as its sum stays within 2^31 - 1.
std::string folded(const std::vector<Entry>& entries)
{
    std::vector<Entry> runs;
    for (const Entry& e : entries) {
        if (!runs.empty() && runs.back().category == e.category && runs.back().kind == e.kind &&
            std::int64_t{runs.back().amount} + e.amount <= INT_MAX)
            runs.back().amount += e.amount;
        else
            runs.push_back(e);
    }
    std::string text;
    for (const Entry& run : runs) {
        char line[128];
        std::snprintf(line, sizeof line, run.kind == kKill ? "%s 殺害 +%d\n" : "%s 無力化 +%d\n", label(run.category),
                      run.amount);
        text += line;
    }
    return text;
}

void check(const Model& model, int step)
{
    SCOPED_TRACE("step " + std::to_string(step));
    std::int64_t expected[kCounters];
    for (int i = 0; i < kCounters; ++i)
        expected[i] = model.baseline[i];
    for (const Entry& e : model.undo) {
        expected[e.category] += e.amount;
        expected[e.kind == kKill ? kKillTotal : kNeutraliseTotal] += e.amount;
    }
    for (int i = 0; i < kCounters; ++i)
        ASSERT_EQ(counter(i), wrap(expected[i])) << "counter " << i;
    ASSERT_EQ(fake::pane.text, model.committed_text + folded(model.undo));
    ASSERT_EQ(undo_available(), !model.undo.empty());
    ASSERT_EQ(redo_available(), !model.redo.empty());
    if (fake::window.refreshes > 0) {
        ASSERT_EQ(fake::window.undo_enabled, !model.undo.empty());
        ASSERT_EQ(fake::window.redo_enabled, !model.redo.empty());
    }
    ASSERT_EQ(increment(), model.increment);
    ASSERT_EQ(fake::window.box_enabled, model.box_enabled);
}

std::int32_t random_amount(std::mt19937& random)
{
    switch (random() % 8) {
    case 0:
        return 0;
    case 1:
        return -static_cast<std::int32_t>(random() % 1000);
    case 2:
        return 999999;
    case 3:
        return INT_MAX - static_cast<std::int32_t>(random() % 3);  // runs that would overflow
    case 4:
        return static_cast<std::int32_t>(random() % 1000000);
    default:
        return 1 + static_cast<std::int32_t>(random() % 3);
    }
}

// One random command, given to the core and to the model alike.
void step(std::mt19937& random, Model& model)
{
    int choice = static_cast<int>(random() % 100);
    if (choice < 55) {
        // Bias towards a few buttons so that runs form.
        int category = static_cast<int>(random() % 3 == 0 ? random() % kCategories : random() % 2);
        EntryKind kind = random() % 4 == 0 ? kKill : kNeutralise;
        command((kind == kKill ? kKillButton : kNeutraliseButton) + category, 0);
        if (model.increment > 0) {
            model.undo.push_back({category, model.increment, kind});
            model.redo.clear();
        }
    } else if (choice < 70) {
        command(kUndoButton, 0);
        if (!model.undo.empty()) {
            model.redo.push_back(model.undo.back());
            model.undo.pop_back();
        }
    } else if (choice < 82) {
        command(kRedoButton, 0);
        if (!model.redo.empty()) {
            model.undo.push_back(model.redo.back());
            model.redo.pop_back();
        }
    } else if (choice < 86) {
        command(kClearButton, 0);
        while (!model.undo.empty()) {
            model.redo.push_back(model.undo.back());
            model.undo.pop_back();
        }
    } else if (choice < 89) {
        command(kCommitButton, 0);
        for (const Entry& e : model.undo) {
            model.baseline[e.category] += e.amount;
            model.baseline[e.kind == kKill ? kKillTotal : kNeutraliseTotal] += e.amount;
        }
        model.committed_text += folded(model.undo) + "---- 確定 ----\n";
        model.undo.clear();
        model.redo.clear();
    } else if (choice < 93) {
        command(kPlusOneRadio, 0);
        model.increment = 1;
        model.box_enabled = false;
    } else {
        std::int32_t amount = random_amount(random);
        fake::window.box = std::to_string(amount);
        if (choice < 96) {
            command(kCustomRadio, 0);
            model.box_enabled = true;
        } else {
            command(kIncrementBox, kEnUpdate);
        }
        model.increment = amount;
    }
}

TEST(Model, RandomCommandsKeepCountersJournalAndButtonsInStep)
{
    fake::TempDir dir;
    for (unsigned seed : {1u, 2u, 3u, 20121711u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        fake::start();
        std::filesystem::remove("Tallimor.txt");
        command(kPlusOneRadio, 0);
        std::mt19937 random(seed);
        Model model;
        for (int i = 0; i < 5000; ++i) {
            step(random, model);
            check(model, i);
            if (HasFatalFailure())
                return;
        }
        // What was committed is what the file holds.
        store::load();
        for (int i = 0; i < kCounters; ++i)
            EXPECT_EQ(counter(i), wrap(model.baseline[i]));
    }
}

}  // namespace
