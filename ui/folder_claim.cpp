// One Tallimor per folder: the claim on the working directory at start-up.
#include "ui/folder_claim.h"

#include <windows.h>

// What the Tallimor that holds a folder publishes under the folder's name.
struct FolderClaim {
    volatile LONG mark;        // kClaimMark once process_id is set
    volatile LONG process_id;  // the Tallimor whose window has the folder's tally
};

static const LONG kClaimMark = 0x524D4C54;  // "TLMR"

// The kernel object name of the working directory, the same for every way of
// writing one folder as Windows compares paths: the long form, no case, '/'
// for each separator (a name may hold no '\' after its prefix), none at the
// end. False when there is no folder or its name would be too long.
static bool folder_object_name(wchar_t (&name)[MAX_PATH])
{
    static const wchar_t prefix[] = L"Local\\Tallimor:";
    const DWORD start = ARRAYSIZE(prefix) - 1;
    wchar_t folder[MAX_PATH];
    wchar_t long_folder[MAX_PATH];
    DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return false;
    const wchar_t* path = folder;
    DWORD long_length = GetLongPathNameW(folder, long_folder, MAX_PATH);
    if (long_length > 0 && long_length < MAX_PATH) {
        path = long_folder;
        length = long_length;
    }
    while (length > 0 && (path[length - 1] == L'\\' || path[length - 1] == L'/'))
        --length;
    if (start + length >= MAX_PATH)
        return false;
    CopyMemory(name, prefix, start * sizeof(wchar_t));
    for (DWORD i = 0; i < length; ++i)
        name[start + i] = path[i] == L'\\' ? L'/' : path[i];
    name[start + length] = L'\0';
    CharUpperBuffW(name + start, length);
    return true;
}

struct DialogSearch {
    DWORD process_id;
    HWND dialog;
};

static BOOL CALLBACK find_dialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    char class_name[8] = {};
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, class_name, sizeof class_name);
    if (owner != search->process_id || lstrcmpA(class_name, "#32770") != 0)
        return TRUE;
    search->dialog = window;
    return FALSE;
}

static bool has_ended(DWORD process_id)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Shows the dialog in front, restored, without waiting on its thread: a hung
// Tallimor must not hang this start as well.
static void bring_forward(HWND dialog)
{
    if (IsIconic(dialog))
        ShowWindowAsync(dialog, SW_RESTORE);
    else if (!IsWindowVisible(dialog))
        ShowWindowAsync(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
}

// Two windows on one tally would each commit over the other's counts, so a
// folder has one Tallimor. The first start there claims the folder with a
// named mapping, which lasts as long as its process however that ends, and
// publishes its process ID in it; a later start brings that window forward
// and returns true, so that it opens none of its own. A start that finds the
// claim's owner gone takes the claim over. A folder that cannot be claimed
// (a name too long, or taken by an object that is not ours) starts as usual.
bool show_the_folders_window()
{
    wchar_t name[MAX_PATH];
    if (!folder_object_name(name))
        return false;
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(FolderClaim), name);
    if (!mapping)
        return false;
    bool first = GetLastError() != ERROR_ALREADY_EXISTS;
    auto* claim = static_cast<FolderClaim*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(FolderClaim)));
    if (!claim)
        return false;
    // The mapping is never closed: it is the claim, and ends with the process.
    const LONG self = static_cast<LONG>(GetCurrentProcessId());
    if (first) {
        claim->process_id = self;
        InterlockedExchange(&claim->mark, kClaimMark);
        return false;
    }
    // The owner may still be opening its window: a double click starts two.
    bool ours = false;
    for (int tries = 0; tries < 250; ++tries) {
        if (tries > 0)
            Sleep(20);
        if (InterlockedCompareExchange(&claim->mark, 0, 0) != kClaimMark)
            continue;
        ours = true;
        LONG owner = InterlockedCompareExchange(&claim->process_id, 0, 0);
        DialogSearch search = {static_cast<DWORD>(owner), nullptr};
        EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&search));
        if (search.dialog) {
            bring_forward(search.dialog);
            return true;
        }
        if (has_ended(static_cast<DWORD>(owner)) &&
            InterlockedCompareExchange(&claim->process_id, self, owner) == owner)
            return false;
    }
    return ours;  // an owner without a window after five seconds still has the tally
}
