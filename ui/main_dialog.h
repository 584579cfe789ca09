// The main window: dialog template 166 and its dialog procedure.
#pragma once

#include <windows.h>

constexpr int kMainDialog = 166;

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
