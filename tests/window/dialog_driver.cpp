#include "window/dialog_driver.h"

#include <stdexcept>
#include <vector>

#include "tally/history.h"
#include "ui/main_dialog.h"

DWORD WINAPI DialogDriver::run(void* self)
{
    auto* driver = static_cast<DialogDriver*>(self);
    driver->result_ = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kMainDialog), nullptr, MainDialogProc,
                                      0);
    return 0;
}

static BOOL CALLBACK find_dialog(HWND window, LPARAM found)
{
    char name[16];
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

DialogDriver::DialogDriver()
{
    tally::reset();
    thread_ = CreateThread(nullptr, 0, run, this, 0, &thread_id_);
    for (int i = 0; i < 1000 && !(dialog_ && IsWindowVisible(dialog_)); ++i) {
        EnumThreadWindows(thread_id_, find_dialog, reinterpret_cast<LPARAM>(&dialog_));
        Sleep(10);
    }
    if (!dialog_)
        throw std::runtime_error("the main dialog did not open");
    // Let the dialog finish showing: a message round trip through its queue.
    SendMessageA(dialog_, WM_NULL, 0, 0);
}

DialogDriver::~DialogDriver()
{
    if (WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT) {
        PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
        WaitForSingleObject(thread_, 5000);
    }
    CloseHandle(thread_);
}

void DialogDriver::click(int id) { SendMessageA(item(id), BM_CLICK, 0, 0); }

void DialogDriver::type(const char* characters)
{
    for (const char* c = characters; *c; ++c)
        SendMessageA(item(163), WM_CHAR, static_cast<unsigned char>(*c), 1);
}

// Posted, not sent: the dialog's message loop sees it first, as it sees a
// real key, and the dialog manager turns Esc into IDCANCEL.
void DialogDriver::key(UINT virtual_key)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread_id_, &info);
    HWND target = info.hwndFocus ? info.hwndFocus : dialog_;
    PostMessageA(target, WM_KEYDOWN, virtual_key, 1);
    PostMessageA(target, WM_KEYUP, virtual_key, 0xC0000001);
    SendMessageA(dialog_, WM_NULL, 0, 0);
    Sleep(50);
}

void DialogDriver::mouse_click(int id)
{
    RECT r;
    GetWindowRect(item(id), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    // Let the input reach the dialog's thread and be handled.
    for (int i = 0; i < 20; ++i) {
        Sleep(10);
        SendMessageA(dialog_, WM_NULL, 0, 0);
    }
}

std::string DialogDriver::text(int id) const
{
    HWND control = item(id);
    LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    LRESULT got = SendMessageA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(got));
}

bool DialogDriver::enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }

bool DialogDriver::checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

int DialogDriver::focus_id() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread_id_, &info);
    return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
}

int DialogDriver::default_id() const
{
    LRESULT answer = SendMessageA(dialog_, DM_GETDEFID, 0, 0);
    return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

Highlight DialogDriver::highlight(int id) const
{
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(1, 2, 3));
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(item(id))));
    Highlight result{CLR_INVALID, GetTextColor(dc), GetBkMode(dc)};
    LOGBRUSH info;
    if (brush && GetObjectA(brush, sizeof info, &info) == sizeof info)
        result.brush = info.lbColor;
    DeleteDC(dc);
    return result;
}

COLORREF DialogDriver::screen_pixel(int id, int x, int y) const
{
    POINT point{x, y};
    ClientToScreen(item(id), &point);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

INT_PTR DialogDriver::close_box()
{
    PostMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    return wait_closed();
}

INT_PTR DialogDriver::wait_closed()
{
    if (WaitForSingleObject(thread_, 5000) != WAIT_OBJECT_0)
        return -3;
    return result_;
}
