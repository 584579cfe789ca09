#include "ui/seams.h"

#include "tally/controls.h"
#include "tally/history.h"
#include "tally/journal.h"
#include "ui/refresh.h"

static HWND dialog;
static HWND journal;  // the journal pane, control 150

// The length in the unit the pane takes selections in: WM_GETTEXTLENGTH on an
// ANSI window answers in bytes, while an edit control may count positions in
// characters. The end of the text is where its last line starts plus that
// line's length, both in the pane's own unit; unlike selecting all and
// reading the selection back, this repaints nothing.
static std::int32_t journal_length()
{
    LRESULT last_line = SendMessageA(journal, EM_GETLINECOUNT, 0, 0) - 1;
    LRESULT start = SendMessageA(journal, EM_LINEINDEX, static_cast<WPARAM>(last_line), 0);
    LRESULT length = SendMessageA(journal, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    return static_cast<std::int32_t>(start + length);
}

static void journal_select(std::int32_t from, std::int32_t to) { SendMessageA(journal, EM_SETSEL, from, to); }

static void journal_replace_selection(const char* text)
{
    SendMessageA(journal, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

static void journal_repaint() { SendMessageA(journal, WM_PAINT, 0, 0); }

static const tally::JournalView journal_view = {
    journal_length,
    journal_select,
    journal_replace_selection,
    journal_repaint,
};

static void window_refresh() { refresh(dialog); }
static void enable_box() { EnableWindow(GetDlgItem(dialog, tally::kIncrementBox), TRUE); }
static void disable_box() { EnableWindow(GetDlgItem(dialog, tally::kIncrementBox), FALSE); }
static void read_box(char* text, int size) { GetWindowTextA(GetDlgItem(dialog, tally::kIncrementBox), text, size); }
static void end_dialog(int result) { EndDialog(dialog, result); }

static const tally::WindowOps window_ops = {
    window_refresh, enable_box, disable_box, read_box, end_dialog,
};

void connect_core(HWND main_dialog)
{
    dialog = main_dialog;
    journal = GetDlgItem(dialog, tally::kJournalPane);
    tally::attach(&journal_view);
    tally::attach_window(&window_ops);
}
