// Writes the figures into the window and enables the history buttons.
#pragma once

#include <windows.h>

void refresh(HWND dialog);
