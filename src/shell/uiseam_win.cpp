#include "shell/uiseam_win.h"

#include <windows.h>

#include "find/replacedlg_win.h"
#include "shell/frame_win.h"
#include "shell/splash_win.h"
#include "shell/startup_win.h"
#include "platform/uiseam.h"

bool gMessageBoxUp = false;

namespace {

HWND gFindDialog = NULL;

UINT ButtonsStyle(PromptButtons buttons) {
    switch (buttons) {
    case kButtonsOkCancel:
        return MB_OKCANCEL;
    case kButtonsYesNo:
        return MB_YESNO;
    case kButtonsYesNoCancel:
        return MB_YESNOCANCEL;
    case kButtonsOk:
        break;
    }
    return MB_OK;
}

UINT IconStyle(PromptIcon icon) {
    switch (icon) {
    case kIconError:
        return MB_ICONERROR;
    case kIconWarning:
        return MB_ICONWARNING;
    case kIconQuestion:
        return MB_ICONQUESTION;
    case kIconInformation:
        return MB_ICONINFORMATION;
    case kIconNone:
        break;
    }
    return 0;
}

// The answer ids of uiseam.h are the message box's own, so the result passes straight through.
int Win_Ask(const PromptRequest* request) {
    UINT style = ButtonsStyle(request->buttons) | IconStyle(request->icon);
    if (request->flags & kPromptTaskModal)
        style |= MB_TASKMODAL;
    if (request->flags & kPromptSystemModal)
        style |= MB_SYSTEMMODAL;
    if (request->flags & kPromptDefaultSecond)
        style |= MB_DEFBUTTON2;
    HWND owner = (request->flags & kPromptNoOwner) ? NULL : GetFocus();
    return MessageBoxA(owner, request->text, request->caption, style);
}

// Busy spells nest: a disk search is one, and every directory and file it reads is another.
// Each change of the pointer is a trip to the system (under Wine some 40 microseconds, and
// loading the cursor three times that), so only the outermost spell changes it; the cursor
// shown before is what its end puts back.
int gBusyDepth = 0;
HCURSOR gBeforeBusy = NULL;

void* Win_BeginBusy(const char* path) {
    static const HCURSOR wait = LoadCursor(NULL, IDC_WAIT);
    if (gBusyDepth++ == 0)
        gBeforeBusy = SetCursor(wait);
    return gBeforeBusy;
}

void Win_EndBusy(void*) {
    if (gBusyDepth > 0 && --gBusyDepth == 0)
        SetCursor(gBeforeBusy);
}

// The close request lets the frame save the settings before the process ends; the mark keeps
// the windows torn down by it from saving state that may be the cause of the exit.
void Win_FatalExit(const char* text) {
    gMessageBoxUp = true;
    if (gFrame)
        SendMessageA(gFrame, WM_CLOSE, 0, 0);
    FatalAppExitA(0, text);
}

void Win_DismissSplash() {
    Splash_Dismiss(gFrame);
}

// Any key press or left click of this thread's windows: the searching window has the focus,
// and a click elsewhere in the program is as much a wish to stop. A look at the queue is a trip
// to the system (some 50 microseconds under Wine) and a search looks after every file, so once
// a look found nothing the next one waits a few milliseconds; after a find it looks at once
// again, so a caller can drain the queue.
constexpr DWORD kPendingLookEveryMs = 20;
bool gInputQuiet = false;
DWORD gQuietSince = 0;

bool Win_PendingInput(int which) {
    const DWORD now = GetTickCount();
    if (gInputQuiet && now - gQuietSince < kPendingLookEveryMs)
        return false;
    MSG msg;
    const bool found =
        ((which & kPendingKey) &&
         PeekMessageA(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE | PM_NOYIELD)) ||
        ((which & kPendingClick) &&
         PeekMessageA(&msg, NULL, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE | PM_NOYIELD));
    gInputQuiet = !found;
    gQuietSince = now;
    return found;
}

int Win_AskReplace() {
    return ReplaceDlg_Ask();
}

void Win_CloseFindDialog() {
    if (gFindDialog && IsWindow(gFindDialog))
        EndDialog(gFindDialog, 1);
    gFindDialog = NULL;
}

} // namespace

void UiWin_SetFindDialog(HWND dialog) {
    gFindDialog = dialog;
}

void UiWin_InstallHooks() {
    static const UiHooks kWin32Hooks = {Win_Ask,           Win_BeginBusy,    Win_EndBusy,
                                        Win_FatalExit,     Win_DismissSplash, Win_PendingInput,
                                        Win_AskReplace,    Win_CloseFindDialog};
    Ui_SetHooks(&kWin32Hooks);
}
