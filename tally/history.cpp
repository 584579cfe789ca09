#include "tally/history.h"

#include <stack>

#include "store/tally_file.h"
#include "tally/controls.h"
#include "tally/journal.h"
#include "tally/number.h"

namespace tally {

static const WindowOps* window;
static std::stack<Entry> undo_stack;
static std::stack<Entry> redo_stack;

void attach_window(const WindowOps* w) { window = w; }

bool undo_available() { return !undo_stack.empty(); }
bool redo_available() { return !redo_stack.empty(); }

void record(int category, EntryKind kind)
{
    std::int32_t amount = increment();
    if (amount <= 0)
        return;
    Entry entry{category, amount, kind};
    undo_stack.push(entry);
    apply(entry);
    redo_stack = {};
    window->refresh();
}

static void undo_one()
{
    Entry entry = undo_stack.top();
    revert(entry);
    redo_stack.push(entry);
    undo_stack.pop();
}

void undo()
{
    if (undo_stack.empty())
        return;
    undo_one();
    window->refresh();
}

void redo()
{
    if (redo_stack.empty())
        return;
    Entry entry = redo_stack.top();
    apply(entry);
    undo_stack.push(entry);
    redo_stack.pop();
    window->refresh();
}

// Undoes everything since the last commit; redo brings it back in its first
// order, ahead of whatever could be redone before.
void clear()
{
    while (!undo_stack.empty())
        undo_one();
    window->refresh();
}

void report_file_error(int error) { append("%s: %s\n", store::kFileName, store::error_text(error)); }

// What was counted becomes the new baseline: the history is dropped, the
// counters are saved, and the journal marks the point.
void commit()
{
    undo_stack = {};
    redo_stack = {};
    clear_entries();
    window->refresh();
    int error = store::save();
    if (error != 0)
        report_file_error(error);
    append("---- 確定 ----\n");
}

static std::int32_t increment_in_box()
{
    char text[32] = {};
    window->read_increment_box(text, sizeof text);
    return to_number(text);
}

void command(int id, int code)
{
    if (id >= kNeutraliseButton && id < kNeutraliseButton + kCategories) {
        record(id - kNeutraliseButton, kNeutralise);
        return;
    }
    if (id >= kKillButton && id < kKillButton + kCategories) {
        record(id - kKillButton, kKill);
        return;
    }
    switch (id) {
    case kClearButton:
        clear();
        break;
    case kCommitButton:
        commit();
        break;
    case kRedoButton:
        redo();
        break;
    case kUndoButton:
        undo();
        break;
    case kIncrementBox:
        if (code == kEnUpdate)
            set_increment(increment_in_box());
        break;
    case kPlusOneRadio:
        set_increment(1);
        window->disable_increment_box();
        break;
    case kCustomRadio:
        window->enable_increment_box();
        set_increment(increment_in_box());
        break;
    case kCancel:
        window->end_dialog(0);
        break;
    }
}

void reset()
{
    reset_sheet();
    reset_journal();
    store::reset_tally_file();
    undo_stack = {};
    redo_stack = {};
    window = nullptr;
}

}  // namespace tally
