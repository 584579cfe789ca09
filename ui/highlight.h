// The green band for balanced ratios and yellow on pink for leading counts.
#pragma once

#include <windows.h>

void create_brushes();
void delete_brushes();

// The brush for a highlighted field, with the device context set up for its
// text; nullptr where the field keeps the default colours.
HBRUSH highlight(HDC dc, HWND field);
