// The questions, messages, busy cursor and fatal exit that ORV's portable core needs from the
// user's side. ORV32.EXE fills the hooks with real message boxes, cursors and FatalAppExit
// (uiseam_win.cpp); tests fill them with scripted answers and record what was asked.
#pragma once

// Answers, numbered as the platform's message-box results so the shell can pass them through.
enum {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerYes = 6,
    kAnswerNo = 7,
    kAnswerAll = 101, // "&All" of the replace prompt
};

// What the pending-input check looks for.
enum {
    kPendingKey = 1,
    kPendingClick = 2,
};

enum PromptButtons {
    kButtonsOk,
    kButtonsOkCancel,
    kButtonsYesNo,
    kButtonsYesNoCancel,
};

enum PromptIcon {
    kIconNone,
    kIconError,
    kIconWarning,
    kIconQuestion,
    kIconInformation,
};

enum PromptFlags {
    kPromptOwnedByFocus = 0, // the usual case: owned by the window that has the focus
    kPromptNoOwner = 0x1,
    kPromptTaskModal = 0x2,
    kPromptSystemModal = 0x4,
    kPromptDefaultSecond = 0x8, // the second button (No before destructive actions) is the default
};

struct PromptRequest {
    const char* text;
    const char* caption; // null: the system's default caption
    PromptButtons buttons;
    PromptIcon icon;
    int flags; // PromptFlags
};

struct UiHooks {
    int (*ask)(const PromptRequest* request); // returns a kAnswer* value
    void* (*beginBusy)(const char* path); // shows the busy cursor, returns what to restore
    void (*endBusy)(void* restore);
    void (*fatalExit)(const char* text); // in ORV32.EXE this does not return
    void (*dismissSplash)();
    // True when a key press or a left click (kPending* bits) waits in the queue; the message is
    // taken out, so the key or click that interrupts a long operation does nothing else.
    bool (*pendingInput)(int which);
    // The replace prompt of an editor's replace run: kAnswerYes, kAnswerNo, kAnswerAll or
    // kAnswerCancel.
    int (*askReplace)();
    // A replace run closes the Find dialog before its first prompt.
    void (*closeFindDialog)();
};

// Installs hooks; a null member keeps the quiet default (Cancel, no cursor, no exit).
void Ui_SetHooks(const UiHooks* hooks);

int Ui_Ask(const PromptRequest& request);
void* Ui_BeginBusy(const char* path);
void Ui_EndBusy(void* restore);
// Callers go on as after a failure if this returns, as it does in tests.
void Ui_FatalExit(const char* text);
void Ui_DismissSplash();
bool Ui_PendingInput(int which);
int Ui_AskReplace();
void Ui_CloseFindDialog();
