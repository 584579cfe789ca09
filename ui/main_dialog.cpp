#include "ui/main_dialog.h"

#include "store/tally_file.h"
#include "tally/controls.h"
#include "tally/history.h"
#include "tally/sheet.h"
#include "ui/highlight.h"
#include "ui/refresh.h"
#include "ui/seams.h"

using namespace tally;

static void on_init_dialog(HWND dialog)
{
    connect_core(dialog);
    create_brushes();
    // The journal grows all evening; the edit control's default limit would
    // silently cut it.
    SendDlgItemMessageA(dialog, kJournalPane, EM_SETLIMITTEXT, 0, 0);
    SendDlgItemMessageA(dialog, kIncrementBox, EM_LIMITTEXT, 6, 0);
    SendDlgItemMessageA(dialog, kPlusOneRadio, BM_CLICK, 0, 0);
    for (int k = 0; k < kCategories; ++k)
        SendDlgItemMessageA(dialog, kLabelField + k, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(label(k)));
    int error = store::load();
    if (error != 0)
        report_file_error(error);
    refresh(dialog);
}

static void on_command(WPARAM wparam) { command(LOWORD(wparam), HIWORD(wparam)); }

static void on_destroy() { delete_brushes(); }

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog(dialog);
        return TRUE;  // focus to the first tab stop
    case WM_COMMAND:
        on_command(wparam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(highlight(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)));
    case WM_DESTROY:
        on_destroy();
        return FALSE;
    }
    return FALSE;
}
