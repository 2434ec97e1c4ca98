#include "shell/help_win.h"

#include <stdio.h>
#include <string.h>

#include "platform/platform.h"
#include "platform/uiseam.h"
#include "shell/helpfile.h"
#include "shell/helpwnd_win.h"

namespace {

const char kHelpFileName[] = "orv.hlp";
const char kNoHelp[] = "No help available.";
const char kMenuHelpCaption[] = "Menu Help";

struct HelpRequests {
    UINT lastMenuItem;
    int menuRequests;
    UINT lastTopic;
    bool used;
};

HelpRequests gHelpRequests = {0, 0, 0, false};
char gHelpPath[MAX_PATH] = "";
bool gHelpPathForTests = false;

} // namespace

const char* Help_FilePath() {
    if (gHelpPathForTests)
        return gHelpPath;
    // Beside the program when it is there; else the bare name, which the system looks for in
    // the current directory.
    char module[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(NULL, module, sizeof module);
    char* slash = n && n < sizeof module ? strrchr(module, '\\') : nullptr;
    PlatFileInfo info = {};
    if (slash && (size_t)(slash + 1 - module) + sizeof kHelpFileName <= sizeof module) {
        memcpy(slash + 1, kHelpFileName, sizeof kHelpFileName);
        if (Plat_GetFileInfo(module, &info)) {
            snprintf(gHelpPath, sizeof gHelpPath, "%s", module);
            return gHelpPath;
        }
    }
    snprintf(gHelpPath, sizeof gHelpPath, "%s", kHelpFileName);
    return gHelpPath;
}

void Help_SetFileForTests(const char* path) {
    gHelpPathForTests = path != nullptr;
    snprintf(gHelpPath, sizeof gHelpPath, "%s", path ? path : "");
}

void Help_Show(HWND owner, UINT context) {
    gHelpRequests.lastTopic = context;
    gHelpRequests.used = true;
    HelpWnd_Show(owner, Help_FilePath(), context);
}

void Help_ForMenuItem(UINT id) {
    gHelpRequests.lastMenuItem = id;
    gHelpRequests.menuRequests++;
    EndMenu(); // the menu makes way for the help it asked for
    const uint32_t context = Help_MenuContext(id);
    if (context) {
        Help_Show(NULL, context);
        return;
    }
    PromptRequest request = {kNoHelp, kMenuHelpCaption, kButtonsOk, kIconInformation,
                             kPromptOwnedByFocus};
    Ui_Ask(request);
}

void Help_ForTopic(HWND owner, UINT topic) {
    Help_Show(owner, topic);
}

void Help_UsingHelp(HWND owner) {
    Help_Show(owner, kHelpUsingContext);
}

void Help_Quit() {
    if (gHelpRequests.used)
        HelpWnd_Close();
    gHelpRequests.used = false;
}

bool Help_WasUsed() {
    return gHelpRequests.used;
}

UINT Help_LastMenuItem() {
    return gHelpRequests.lastMenuItem;
}

int Help_MenuRequestCount() {
    return gHelpRequests.menuRequests;
}

UINT Help_LastTopic() {
    return gHelpRequests.lastTopic;
}
