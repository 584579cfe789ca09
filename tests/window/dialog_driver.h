// Runs the real main dialog (template, dialog procedure, commands) on a
// thread of its own, as DialogBoxParamA runs it in the program, and drives
// it from the test's thread through messages, as a user's input arrives.
#pragma once

#include <windows.h>

#include <string>

struct Highlight {
    COLORREF brush;  // CLR_INVALID when the field keeps the default colours
    COLORREF text;
    int background_mode;
};

class DialogDriver {
public:
    DialogDriver();   // resets the core and opens the window
    ~DialogDriver();  // closes it if still open

    HWND window() const { return dialog_; }
    HWND item(int id) const { return GetDlgItem(dialog_, id); }

    void click(int id);                 // BM_CLICK, as a mouse click does
    void type(const char* characters);  // WM_CHAR into the increment box
    void key(UINT virtual_key);         // a key press at the focused control
    void mouse_click(int id);           // real mouse input at the control's centre

    std::string text(int id) const;  // the control's text, Shift_JIS
    bool enabled(int id) const;
    bool checked(int id) const;
    int focus_id() const;
    int default_id() const;
    Highlight highlight(int id) const;                  // what WM_CTLCOLORSTATIC answers
    COLORREF screen_pixel(int id, int x, int y) const;  // client coordinates

    // Closes with the close box (WM_SYSCOMMAND SC_CLOSE); returns
    // DialogBoxParamA's result.
    INT_PTR close_box();
    INT_PTR wait_closed();  // after Esc or IDCANCEL

private:
    static DWORD WINAPI run(void* self);
    HANDLE thread_ = nullptr;
    DWORD thread_id_ = 0;
    HWND dialog_ = nullptr;
    INT_PTR result_ = -2;
};
