// The editor window: an edit control filling an MDI child. Its file is read whole into the
// control; closing with changes asks whether to save them first.
#include "editor/editwnd.h"

#include <stdio.h>

#include <string>

#include "look/fonts_win.h"
#include "shell/classes.h"
#include "shell/ctlbar.h"
#include "shell/drawobjects.h"
#include "shell/frame.h"
#include "shell/menustate.h"
#include "shell/settings.h"
#include "platform/uiseam.h"
#include "shell/winkind.h"

namespace {

const char kEditorCaption[] = "ORV Editor";
const char kModified[] = "File %s\nhas been modified.\n\nSave it?";
const char kCannotOpen[] = "Could not open the file.";
const char kNoEditWindow[] = "Could not create edit window";
const char kReadError[] = "Error reading file.";
const char kCannotWrite[] = "Could not open the file for writing.";
const char kWriteError[] = "Unsuccessful file write.";
constexpr int kEditControlId = 11;
constexpr DWORD kWritePiece = 65520; // each write stays below 64 KB

struct EditorWindow {
    HWND edit;
    std::string path;
    COLORREF textColor;
    COLORREF backgroundColor;
    HBRUSH backgroundBrush;
    bool untitled;
};

// Set by Editor_Open for the window being created.
struct EditorCreate {
    const char* path;
    bool untitled;
};

HWND gCurrentEditor = NULL; // the editor that last had the focus

EditorWindow* Data(HWND editor) {
    return reinterpret_cast<EditorWindow*>(GetWindowLongPtrA(editor, 0));
}

int Tell(const char* text, const char* caption = nullptr, PromptButtons buttons = kButtonsOk,
         PromptIcon icon = kIconWarning) {
    PromptRequest request = {text, caption, buttons, icon, kPromptOwnedByFocus};
    return Ui_Ask(request);
}

// The whole file as the control's text; false after telling the user what went wrong.
bool ReadWholeFile(const char* path, std::string* text) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        Tell(kCannotOpen);
        return false;
    }
    LARGE_INTEGER size = {};
    bool whole = GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF;
    DWORD read = 0;
    if (whole) {
        text->resize((size_t)size.QuadPart);
        whole = size.QuadPart == 0 ||
                (ReadFile(file, &(*text)[0], (DWORD)size.QuadPart, &read, NULL) &&
                 read == (DWORD)size.QuadPart);
    }
    CloseHandle(file);
    if (!whole)
        Tell(kReadError);
    return whole;
}

bool OnCreate(HWND editor, const EditorCreate* create) {
    static const EditorCreate kBlank = {"", true}; // made without Editor_Open: a blank editor
    if (!create)
        create = &kBlank;
    EditorWindow* data = new EditorWindow();
    data->path = create->path;
    data->untitled = create->untitled;
    data->textColor = gSettings.colors[kColorEditText];
    data->backgroundColor = gSettings.colors[kColorEditBackgnd];
    data->backgroundBrush = gDraw.editBrush;
    SetWindowLongPtrA(editor, 0, reinterpret_cast<LONG_PTR>(data));

    std::string text;
    if (!create->untitled && !ReadWholeFile(create->path, &text))
        return false;
    RECT client;
    GetClientRect(editor, &client);
    data->edit = CreateWindowExA(0, "edit", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                     ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                 0, 0, client.right, client.bottom, editor,
                                 reinterpret_cast<HMENU>(kEditControlId), GetModuleHandleA(NULL),
                                 NULL);
    if (!data->edit) {
        Tell(kNoEditWindow);
        return false;
    }
    SendMessageA(data->edit, WM_SETFONT, reinterpret_cast<WPARAM>(Fonts_Get(kFontEdit)), FALSE);
    SendMessageA(data->edit, EM_LIMITTEXT, 0, 0); // as much as the control can hold
    SetWindowTextA(data->edit, text.c_str());
    SendMessageA(data->edit, EM_SETMODIFY, FALSE, 0);
    return true;
}

// Closing: a changed text is saved first if the user wants; false keeps the editor.
bool MayClose(HWND editor) {
    EditorWindow* data = Data(editor);
    if (!data || !data->edit || !SendMessageA(data->edit, EM_GETMODIFY, 0, 0))
        return true;
    char text[MAX_PATH + sizeof kModified];
    snprintf(text, sizeof text, kModified, data->path.c_str());
    switch (Tell(text, kEditorCaption, kButtonsYesNoCancel, kIconQuestion)) {
    case kAnswerYes:
        return Editor_Save(editor) == 1;
    case kAnswerNo:
        return true;
    default:
        return false;
    }
}

} // namespace

LRESULT CALLBACK ORVEditWndProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const MDICREATESTRUCTA* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
        if (!OnCreate(editor, reinterpret_cast<const EditorCreate*>(mdi->lParam)))
            return -1;
        break;
    }
    case WM_SIZE:
        if (Data(editor) && Data(editor)->edit && wParam != SIZE_MINIMIZED)
            MoveWindow(Data(editor)->edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;
    case WM_SETFOCUS:
        gCurrentEditor = editor;
        ControlBar_EnableFind(true);
        if (Data(editor) && Data(editor)->edit)
            SetFocus(Data(editor)->edit);
        return 0;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == editor) {
            gCurrentEditor = editor;
            Menu_ApplyState(gFrame, editor);
        }
        break;
    case WM_CTLCOLOREDIT:
        if (EditorWindow* data = Data(editor)) {
            if (LRESULT brush = Orv_ColorControl(wParam, data->textColor, data->backgroundColor,
                                                 data->backgroundBrush))
                return brush;
        }
        break;
    case WM_CLOSE:
        if (!MayClose(editor))
            return 0;
        break;
    case WM_NCDESTROY:
        if (gCurrentEditor == editor)
            gCurrentEditor = NULL;
        delete Data(editor);
        SetWindowLongPtrA(editor, 0, 0);
        break;
    }
    return DefMDIChildProcA(editor, message, wParam, lParam);
}

HWND Editor_Open(const char* path, bool untitled) {
    std::string title = path;
    CharUpperA(&title[0]);
    EditorCreate create = {path, untitled};
    HWND editor = Frame_NewChild(kEditClassName, title.c_str(), reinterpret_cast<LPARAM>(&create));
    if (editor)
        SetFocus(editor);
    return editor;
}

HWND Editor_Current() {
    return gCurrentEditor && IsWindow(gCurrentEditor) ? gCurrentEditor : NULL;
}

const char* Editor_Path(HWND editor) {
    EditorWindow* data = Editor_Control(editor) ? Data(editor) : nullptr;
    return data ? data->path.c_str() : "";
}

bool Editor_IsUntitled(HWND editor) {
    return Editor_Control(editor) && Data(editor)->untitled;
}

HWND Editor_Control(HWND editor) {
    if (!Orv_IsProgramWindow(editor, kKindEditor) || !Data(editor))
        return NULL;
    return Data(editor)->edit;
}

int64_t Editor_FirstVisibleLine(HWND editor) {
    HWND edit = Editor_Control(editor);
    return edit ? (int64_t)SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0) + 1 : 1;
}

void Editor_ShowLine(HWND editor, int64_t line) {
    HWND edit = Editor_Control(editor);
    if (!edit || line < 1)
        return;
    const int64_t lines = (int64_t)SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    const int64_t target = (line > lines ? lines : line) - 1;
    const LRESULT start = SendMessageA(edit, EM_LINEINDEX, (WPARAM)target, 0);
    if (start >= 0)
        SendMessageA(edit, EM_SETSEL, (WPARAM)start, start); // the caret goes with the line
    // Placing the caret may have scrolled already: measure from where the control stands now.
    const LRESULT first = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageA(edit, EM_LINESCROLL, 0, (LPARAM)(target - first));
}

void Editor_MarkUnmodified(HWND editor) {
    if (HWND edit = Editor_Control(editor))
        SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
}

int Editor_Save(HWND editor) {
    HWND edit = Editor_Control(editor);
    if (!edit)
        return 0;
    const int length = GetWindowTextLengthA(edit);
    std::string text((size_t)length + 1, '\0');
    GetWindowTextA(edit, &text[0], length + 1);
    text.resize((size_t)length);
    HANDLE file = CreateFileA(Data(editor)->path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        Tell(kCannotWrite);
        return 0;
    }
    bool written = true;
    for (size_t done = 0; written && done < text.size();) {
        DWORD piece = (DWORD)(text.size() - done < kWritePiece ? text.size() - done : kWritePiece);
        DWORD wrote = 0;
        written = WriteFile(file, text.data() + done, piece, &wrote, NULL) && wrote == piece;
        done += piece;
    }
    CloseHandle(file);
    if (!written) {
        Tell(kWriteError);
        return 0;
    }
    SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
    Data(editor)->untitled = false;
    return 1;
}
