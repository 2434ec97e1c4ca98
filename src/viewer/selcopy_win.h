// Handing collected text to the clipboard.
#pragma once

#include <windows.h>

#include <stddef.h>

// Offers text as CF_TEXT and the same bytes as CF_OEMTEXT. 1, or 0 when the clipboard could
// not be opened or memory for the text could not be had (after "Not Enough Memory"); the
// clipboard is always closed again.
int Clipboard_PutText(HWND owner, const char* text, size_t length);

// Tests let the next succeedFirst allocations for the clipboard through and fail failCount after.
void Clipboard_FailAllocationsForTests(int succeedFirst, int failCount);
