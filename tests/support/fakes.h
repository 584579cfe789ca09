// Stand-ins for the window: a plain text buffer for the journal pane and a
// double that records what the commands ask of the window.
#pragma once

#include <string>

#include "tally/history.h"
#include "tally/journal.h"

namespace fake {

struct Pane {
    std::string text;  // positions are byte offsets
    std::size_t selection_start = 0;
    std::size_t selection_end = 0;
    int repaints = 0;
};

struct Window {
    std::string box;  // the increment box's text
    bool box_enabled = false;
    int refreshes = 0;
    bool undo_enabled = true;  // as the last refresh set them, or as created
    bool redo_enabled = true;
    int ended = -1;  // EndDialog's result, -1 while open
};

extern Pane pane;
extern Window window;
extern const tally::JournalView pane_view;
extern const tally::WindowOps window_ops;

// Resets the core and both doubles, and attaches the doubles.
void start();

}  // namespace fake
