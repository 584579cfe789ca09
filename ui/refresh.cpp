#include "ui/refresh.h"

#include <cstdarg>

#include "tally/controls.h"
#include "tally/format.h"
#include "tally/history.h"
#include "tally/sheet.h"

using namespace tally;

static void show(HWND dialog, int id, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    vformat(text, sizeof text, format, args);
    va_end(args);
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void refresh(HWND dialog)
{
    compute_figures();
    for (int k = 0; k < kCategories; ++k) {
        show(dialog, kCountField + k, "%d", counter(k));
        show(dialog, kRatioField + k, "%.4f", static_cast<double>(ratio(k)));
    }
    show(dialog, kAField, "%d", total_a());
    show(dialog, kBField, "%d", total_b());
    show(dialog, kMarginField, "%d", margin());
    EnableWindow(GetDlgItem(dialog, kRedoButton), redo_available());
    EnableWindow(GetDlgItem(dialog, kUndoButton), undo_available());
    EnableWindow(GetDlgItem(dialog, kCommitButton), undo_available());
    EnableWindow(GetDlgItem(dialog, kClearButton), undo_available());
}
