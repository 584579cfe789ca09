// Tallimor: a tally of neutralised and killed enemies, one modal dialog.
#include <windows.h>
#include <commctrl.h>

#include "ui/folder_claim.h"
#include "ui/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (show_the_folders_window())
        return 0;
    InitCommonControls();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(kMainDialog), nullptr, MainDialogProc, 0);
    return 0;
}
