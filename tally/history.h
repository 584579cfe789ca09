// The undo and redo history and every command the window's controls issue.
#pragma once

#include "tally/sheet.h"

namespace tally {

// What the commands need of the window.
struct WindowOps {
    void (*refresh)();
    void (*enable_increment_box)();
    void (*disable_increment_box)();
    void (*read_increment_box)(char* text, int size);
    void (*end_dialog)(int result);
};

void attach_window(const WindowOps* window);

// A WM_COMMAND: the control ID and the notification code.
void command(int id, int code);

void record(int category, EntryKind kind);
void undo();
void redo();
void clear();
void commit();

// The journal's line for a tally file that could not be read or written.
void report_file_error(int error);

bool undo_available();
bool redo_available();

// Puts the whole core back as it is at process start.
void reset();

}  // namespace tally
