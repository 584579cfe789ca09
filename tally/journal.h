// The journal: the running text of recorded runs, commit lines and save
// errors, and the two operations that change the tally, apply and revert.
#pragma once

#include <cstdint>

#include "tally/sheet.h"

namespace tally {

// What the journal needs of the pane that shows it. Positions are in the
// pane's own unit, the one in which it reports its length and takes a
// selection; the journal never converts them.
struct JournalView {
    std::int32_t (*length)();
    void (*select)(std::int32_t from, std::int32_t to);
    void (*replace_selection)(const char* text);
    void (*repaint)();
};

void attach(const JournalView* view);

[[gnu::format(printf, 1, 2)]] void append(const char* format, ...);
void remove_last();

void apply(const Entry& entry);
void revert(const Entry& entry);
void clear_entries();

void reset_journal();

}  // namespace tally
