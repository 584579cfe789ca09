#include "tally/journal.h"

#include <cstdarg>
#include <stack>

#include "tally/format.h"

namespace tally {

static const JournalView* view;
static std::stack<Entry> journal_entries;       // one per entry line since the last commit
static std::stack<std::int32_t> start_offsets;  // one per appended text

void attach(const JournalView* v) { view = v; }

void append(const char* format, ...)
{
    if (!view)
        return;
    char text[1024];
    va_list args;
    va_start(args, format);
    vformat(text, sizeof text, format, args);
    va_end(args);
    std::int32_t end = view->length();
    view->select(end, end);
    start_offsets.push(end);
    view->replace_selection(text);
}

void remove_last()
{
    if (!view || start_offsets.empty())
        return;
    view->select(start_offsets.top(), view->length());
    view->replace_selection("");
    view->repaint();
    start_offsets.pop();
}

static void write_line(const Entry& run)
{
    if (run.kind == kKill)
        append("%s 殺害 +%d\n", label(run.category), run.amount);
    else
        append("%s 無力化 +%d\n", label(run.category), run.amount);
}

// A press joins the last line when it is the same button, so a run of presses
// shows as one line with its sum. A run never grows past 2^31 - 1: the entry
// that would overflow it starts a line of its own, which keeps every shown
// sum positive and lets revert take each entry back out exactly.
void apply(const Entry& entry)
{
    credit(entry);
    if (!journal_entries.empty()) {
        Entry& top = journal_entries.top();
        if (top.category == entry.category && top.kind == entry.kind && top.amount <= INT32_MAX - entry.amount) {
            top.amount += entry.amount;
            remove_last();
            write_line(top);
            return;
        }
    }
    journal_entries.push(entry);
    write_line(entry);
}

void revert(const Entry& entry)
{
    debit(entry);
    remove_last();
    if (journal_entries.empty())
        return;
    Entry& top = journal_entries.top();
    if (top.category != entry.category || top.kind != entry.kind)
        return;
    top.amount -= entry.amount;
    if (top.amount > 0)
        write_line(top);
    else
        journal_entries.pop();
}

void clear_entries() { journal_entries = {}; }

void reset_journal()
{
    view = nullptr;
    journal_entries = {};
    start_offsets = {};
}

}  // namespace tally
