#include "support/fakes.h"

#include <cstring>

namespace fake {

Pane pane;
Window window;

const tally::JournalView pane_view = {
    [] { return static_cast<std::int32_t>(pane.text.size()); },
    [](std::int32_t from, std::int32_t to) {
        pane.selection_start = static_cast<std::size_t>(from);
        pane.selection_end = static_cast<std::size_t>(to);
    },
    [](const char* text) {
        pane.text.replace(pane.selection_start, pane.selection_end - pane.selection_start, text);
        pane.selection_start = pane.selection_end = pane.selection_start + std::strlen(text);
    },
    [] { ++pane.repaints; },
};

const tally::WindowOps window_ops = {
    [] {
        ++window.refreshes;
        window.undo_enabled = tally::undo_available();
        window.redo_enabled = tally::redo_available();
    },
    [] { window.box_enabled = true; },
    [] { window.box_enabled = false; },
    [](char* text, int size) {
        std::strncpy(text, window.box.c_str(), static_cast<std::size_t>(size) - 1);
        text[size - 1] = '\0';
    },
    [](int result) { window.ended = result; },
};

void start()
{
    tally::reset();
    pane = Pane{};
    window = Window{};
    tally::attach(&pane_view);
    tally::attach_window(&window_ops);
}

}  // namespace fake
