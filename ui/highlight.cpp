#include "ui/highlight.h"

#include "tally/controls.h"
#include "tally/sheet.h"

using namespace tally;

static HBRUSH green;
static HBRUSH pink;

void create_brushes()
{
    green = CreateSolidBrush(RGB(128, 255, 128));
    pink = CreateSolidBrush(RGB(255, 128, 128));
}

void delete_brushes()
{
    DeleteObject(green);
    DeleteObject(pink);
}

// Uses the figures of the last refresh.
HBRUSH highlight(HDC dc, HWND field)
{
    int id = GetDlgCtrlID(field);
    if (id >= kRatioField && id < kRatioField + kCategories && balanced(id - kRatioField)) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        return green;
    }
    if (id >= kCountField && id < kCountField + kCategories && leading(id - kCountField)) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 0));
        return pink;
    }
    return nullptr;
}
