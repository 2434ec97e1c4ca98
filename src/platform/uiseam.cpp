#include "uiseam.h"

namespace {

int QuietAsk(const PromptRequest*) {
    return kAnswerCancel;
}
void* QuietBeginBusy(const char*) {
    return nullptr;
}
void QuietEndBusy(void*) {}
void QuietFatalExit(const char*) {}
void QuietDismissSplash() {}
bool QuietPendingInput(int) {
    return false;
}
int QuietAskReplace() {
    return kAnswerCancel;
}
void QuietCloseFindDialog() {}

UiHooks gHooks = {QuietAsk,           QuietBeginBusy,    QuietEndBusy,        QuietFatalExit,
                  QuietDismissSplash, QuietPendingInput, QuietAskReplace, QuietCloseFindDialog};

} // namespace

void Ui_SetHooks(const UiHooks* hooks) {
    gHooks.ask = hooks && hooks->ask ? hooks->ask : QuietAsk;
    gHooks.beginBusy = hooks && hooks->beginBusy ? hooks->beginBusy : QuietBeginBusy;
    gHooks.endBusy = hooks && hooks->endBusy ? hooks->endBusy : QuietEndBusy;
    gHooks.fatalExit = hooks && hooks->fatalExit ? hooks->fatalExit : QuietFatalExit;
    gHooks.dismissSplash = hooks && hooks->dismissSplash ? hooks->dismissSplash : QuietDismissSplash;
    gHooks.pendingInput = hooks && hooks->pendingInput ? hooks->pendingInput : QuietPendingInput;
    gHooks.askReplace = hooks && hooks->askReplace ? hooks->askReplace : QuietAskReplace;
    gHooks.closeFindDialog =
        hooks && hooks->closeFindDialog ? hooks->closeFindDialog : QuietCloseFindDialog;
}

int Ui_Ask(const PromptRequest& request) {
    return gHooks.ask(&request);
}

void* Ui_BeginBusy(const char* path) {
    return gHooks.beginBusy(path);
}

void Ui_EndBusy(void* restore) {
    gHooks.endBusy(restore);
}

void Ui_FatalExit(const char* text) {
    gHooks.fatalExit(text);
}

void Ui_DismissSplash() {
    gHooks.dismissSplash();
}

bool Ui_PendingInput(int which) {
    return gHooks.pendingInput(which);
}

int Ui_AskReplace() {
    return gHooks.askReplace();
}

void Ui_CloseFindDialog() {
    gHooks.closeFindDialog();
}
