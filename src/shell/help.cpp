#include "shell/help.h"

namespace {

struct HelpRequests {
    UINT lastMenuItem;
    int menuRequests;
    UINT lastTopic;
};

HelpRequests gHelpRequests = {0, 0, 0};

} // namespace

// The help file "orv.hlp" and the table from command numbers to its contexts are not looked up
// yet: the request is only noted, so the frame's F1 handling can already be driven.
void Help_ForMenuItem(UINT id) {
    gHelpRequests.lastMenuItem = id;
    gHelpRequests.menuRequests++;
}

UINT Help_LastMenuItem() {
    return gHelpRequests.lastMenuItem;
}

int Help_MenuRequestCount() {
    return gHelpRequests.menuRequests;
}

void Help_ForTopic(HWND, UINT topic) {
    gHelpRequests.lastTopic = topic;
}

UINT Help_LastTopic() {
    return gHelpRequests.lastTopic;
}
