// The clipboard side of copying a view's selection. Other programs read text in the ANSI or the
// OEM code page, so the same bytes are offered as both.
#include "viewer/selcopy_win.h"

#include <string.h>

#include "platform/uiseam.h"
#include "viewer/selcopy.h"

namespace {

int gAllocationsBeforeFailing = 0;
int gFailAllocations = 0;

// A shareable block holding the text and its 0 byte, or null.
HGLOBAL CopyToGlobal(const char* text, size_t length) {
    if (gFailAllocations > 0) {
        if (gAllocationsBeforeFailing > 0) {
            gAllocationsBeforeFailing--;
        } else {
            gFailAllocations--;
            return NULL;
        }
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, length + 1);
    if (!block)
        return NULL;
    char* bytes = (char*)GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return NULL;
    }
    memcpy(bytes, text, length);
    bytes[length] = 0;
    GlobalUnlock(block);
    return block;
}

} // namespace

void Clipboard_FailAllocationsForTests(int succeedFirst, int failCount) {
    gAllocationsBeforeFailing = succeedFirst;
    gFailAllocations = failCount;
}

int Clipboard_PutText(HWND owner, const char* text, size_t length) {
    if (!OpenClipboard(owner))
        return 0;
    EmptyClipboard();
    int result = 1;
    // The clipboard owns a block once SetClipboardData takes it; each format needs its own.
    const UINT formats[] = {CF_TEXT, CF_OEMTEXT};
    for (UINT format : formats) {
        HGLOBAL block = CopyToGlobal(text, length);
        if (!block) {
            result = 0;
            break;
        }
        if (!SetClipboardData(format, block)) {
            GlobalFree(block);
            result = 0;
            break;
        }
    }
    if (!result)
        EmptyClipboard(); // half a copy would paste differently in different programs
    // Never leave the clipboard open: every other program would be locked out of it.
    CloseClipboard();
    if (!result) {
        PromptRequest request = {kTextNotEnoughMemory, nullptr, kButtonsOk, kIconError,
                                 kPromptSystemModal};
        Ui_Ask(request);
    }
    return result;
}
