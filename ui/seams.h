// The window as the core sees it: the journal pane and the five operations
// the commands need, both over the main dialog's controls.
#pragma once

#include <windows.h>

void connect_core(HWND dialog);
