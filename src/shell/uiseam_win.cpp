#include "shell/uiseam_win.h"

#include <windows.h>

#include "find/replacedlg.h"
#include "shell/frame.h"
#include "shell/splash.h"
#include "shell/startup.h"
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

// The cursor shown before is what the end of the busy spell puts back.
void* Win_BeginBusy(const char* path) {
    return SetCursor(LoadCursor(NULL, IDC_WAIT));
}

void Win_EndBusy(void* restore) {
    SetCursor(static_cast<HCURSOR>(restore));
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
// and a click elsewhere in the program is as much a wish to stop.
bool Win_PendingInput(int which) {
    MSG msg;
    if ((which & kPendingKey) &&
        PeekMessageA(&msg, NULL, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE | PM_NOYIELD))
        return true;
    return (which & kPendingClick) &&
           PeekMessageA(&msg, NULL, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE | PM_NOYIELD);
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
