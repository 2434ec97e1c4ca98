// Save As of a results list goes through the editor's save of a prepared text.
#include "search/resultssave_win.h"

#include "editor/editwnd_win.h"
#include "editor/textfile.h"
#include "platform/platform.h"

int ListSave_WriteFile(const char* path, const char* text, size_t length) {
    return TextFile_Write(path, text, (int64_t)length);
}

int ListSave_AskAndWrite(HWND owner, const char* text, size_t length) {
    return Editor_Save(owner, kSavePrepared, text, (int64_t)length);
}

void ListSave_FailWritesForTests(long long afterBytes) {
    Plat_FailWritesForTests(afterBytes);
}
