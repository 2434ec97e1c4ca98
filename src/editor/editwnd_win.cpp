// The editor window: an edit control filling an MDI child. Its file is read whole into the
// control and written back whole through a new file; closing with changes asks whether to save
// them first.
#include "editor/editwnd_win.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "editor/savedlg_win.h"
#include "editor/textfile.h"
#include "lister/dirwnd_win.h"
#include "lister/pathclass.h"
#include "look/fonts_win.h"
#include "platform/uiseam.h"
#include "shell/classes_win.h"
#include "shell/drawobjects_win.h"
#include "resources/resource.h"
#include "shell/frame_win.h"
#include "shell/mdichild_win.h"
#include "shell/menustate_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"
#include "viewer/engine.h"
#include "viewer/viewwnd_win.h"

namespace {

const char kEditorCaption[] = "ORV Editor";
const char kModified[] = "File %s\nhas been modified.\n\nSave it?";
const char kModifiedNoPath[] = "File has been modified.\n\nSave it?";
const char kNoEditWindow[] = "Could not create edit window";
const char kProposedName[] = "untitled.txt";
constexpr int kEditControlId = 11;
// What a multi-line edit control holds at most, and so the largest file an editor takes.
constexpr int64_t kEditMostBytes = 0x7FFFFFFE;

struct EditorWindow {
    HWND edit;
    std::string path;
    COLORREF textColor;
    COLORREF backgroundColor;
    HBRUSH backgroundBrush;
    int32_t tabWidth;
    bool untitled;
    bool loading; // the control's complaints while the file goes in are the load's own
};

// Set by Editor_Open for the window being created.
struct EditorCreate {
    const char* path;
    bool untitled;
};

HWND gCurrentEditor = NULL; // the editor that last had the focus or a click

EditorWindow* Data(HWND editor) {
    return reinterpret_cast<EditorWindow*>(GetWindowLongPtrA(editor, 0));
}

int Tell(const char* text, const char* caption = nullptr, PromptButtons buttons = kButtonsOk,
         PromptIcon icon = kIconWarning) {
    PromptRequest request = {text, caption, buttons, icon, kPromptOwnedByFocus};
    return Ui_Ask(request);
}

std::string Upper(std::string text) {
    if (!text.empty())
        CharUpperBuffA(&text[0], (DWORD)text.size());
    return text;
}

// The text sits 4 pixels from the left edge and a twentieth of an inch from the top.
void InsetText(HWND edit) {
    // The control's own margins (from the font) would add to the inset.
    SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    RECT area;
    GetClientRect(edit, &area);
    HDC dc = GetDC(edit);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(edit, dc);
    area.left += 4;
    area.top += dpiY / 20;
    if (area.right < area.left)
        area.right = area.left;
    if (area.bottom < area.top)
        area.bottom = area.top;
    SendMessageA(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
}

const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

void SetTabStops(EditorWindow* data) {
    HDC dc = GetDC(data->edit);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(data->edit, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    // The control turns tab stops into pixels by its own font's average letter width (the
    // mean of the 52 letters, as the system's dialog units take it), not the dialog font's:
    // with any font but the system's, that of the dialogs would put the stops elsewhere.
    SIZE letters = {};
    GetTextExtentPoint32A(dc, kLetters, (int)sizeof kLetters - 1, &letters);
    SelectObject(dc, old);
    ReleaseDC(data->edit, dc);
    const int scale = letters.cx > 0 ? (letters.cx / 26 + 1) / 2 : LOWORD(GetDialogBaseUnits());
    int units = TextFile_TabStopUnits(data->tabWidth, metrics.tmAveCharWidth, scale);
    SendMessageA(data->edit, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&units));
    InvalidateRect(data->edit, NULL, TRUE);
}

// The file's bytes as the control's text; false after telling the user why not.
bool LoadFile(EditorWindow* data, const char* path) {
    void* busy = Ui_BeginBusy(path);
    int64_t length = 0;
    char* text = TextFile_ReadForEditing(path, kEditMostBytes, &length);
    bool loaded = text != nullptr;
    if (loaded) {
        data->loading = true;
        loaded =
            SetWindowTextA(data->edit, text) && GetWindowTextLengthA(data->edit) >= (int)length;
        data->loading = false;
        // A text the control could not hold whole would be saved cut short.
        if (!loaded)
            Tell(kTextNoEditMemory);
    }
    free(text);
    Ui_EndBusy(busy);
    return loaded;
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
    data->tabWidth = TextFile_TabWidth(create->path);
    SetWindowLongPtrA(editor, 0, reinterpret_cast<LONG_PTR>(data));

    RECT client;
    GetClientRect(editor, &client);
    data->edit =
        CreateWindowExA(0, "edit", "",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                        0, 0, client.right, client.bottom, editor,
                        reinterpret_cast<HMENU>(kEditControlId), GetModuleHandleA(NULL), NULL);
    if (!data->edit) {
        Tell(kNoEditWindow);
        return false;
    }
    SendMessageA(data->edit, WM_SETFONT, reinterpret_cast<WPARAM>(Fonts_Get(kFontEdit)), FALSE);
    SendMessageA(data->edit, EM_LIMITTEXT, 0, 0); // as much as the control can hold
    if (!create->untitled && !LoadFile(data, create->path))
        return false;
    SendMessageA(data->edit, EM_SETMODIFY, FALSE, 0);
    SendMessageA(data->edit, EM_EMPTYUNDOBUFFER, 0, 0);
    InsetText(data->edit);
    SetTabStops(data);
    return true;
}

void OnSize(HWND editor, EditorWindow* data, WPARAM how, int width, int height) {
    if (!data || !data->edit)
        return;
    if (how == SIZE_MINIMIZED) {
        SetWindowTextA(editor, Upper(TextFile_NamePart(data->path.c_str())).c_str());
        Frame_RetileLater();
        return;
    }
    MoveWindow(data->edit, 0, 0, width, height, TRUE);
    InsetText(data->edit);
}

// An icon opened again shows its whole path and takes its place as new windows do.
void OnQueryOpen(HWND editor, const EditorWindow* data) {
    if (data)
        SetWindowTextA(editor, Upper(data->path).c_str());
    Frame_PlaceReopened(editor);
}

void BecomeCurrent(HWND editor) {
    gCurrentEditor = editor;
    Menu_ApplyState(gFrame, editor);
}

// Closing: a changed text is saved first if the user wants; false keeps the editor.
bool MayClose(HWND editor, const EditorWindow* data) {
    if (!data || !data->edit || !SendMessageA(data->edit, EM_GETMODIFY, 0, 0))
        return true;
    std::string text(data->path.size() + sizeof kModified, '\0');
    const int length = snprintf(&text[0], text.size(), kModified, data->path.c_str());
    text.resize(length > 0 ? (size_t)length : 0);
    switch (Tell(length > 0 ? text.c_str() : kModifiedNoPath, kEditorCaption, kButtonsYesNoCancel,
                 kIconQuestion)) {
    case kAnswerYes:
        return Editor_Save(editor, data->untitled ? kSaveAsNew : kSaveToPath) == 1;
    case kAnswerNo:
        return true;
    default:
        return false;
    }
}

// The control's whole text in memory of malloc's (the caller frees it); null when it cannot
// be had.
char* CopyText(HWND edit, int64_t* length) {
    const int most = GetWindowTextLengthA(edit);
    char* text = static_cast<char*>(malloc((size_t)most + 1));
    if (!text)
        return nullptr;
    *length = GetWindowTextA(edit, text, most + 1);
    return text;
}

} // namespace

LRESULT CALLBACK ORVEditWndProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
    EditorWindow* data = Data(editor); // null until WM_CREATE has made it
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const MDICREATESTRUCTA* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
        if (!OnCreate(editor, reinterpret_cast<const EditorCreate*>(mdi->lParam)))
            return -1;
        break;
    }
    case WM_SIZE:
        OnSize(editor, data, wParam, LOWORD(lParam), HIWORD(lParam));
        break; // the MDI child procedure keeps the frame's maximised state
    case WM_QUERYOPEN:
        OnQueryOpen(editor, data);
        return TRUE;
    case WM_SETFOCUS:
        MdiChild_TakeFocus(editor, data ? data->edit : NULL, true, BecomeCurrent);
        return 0;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN)
            gCurrentEditor = editor;
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == editor)
            BecomeCurrent(editor);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kEditControlId && data) {
            const WORD notice = HIWORD(wParam);
            if (notice == EN_SETFOCUS)
                gCurrentEditor = editor;
            // The control refuses the change that does not fit, so the text is as it was.
            if ((notice == EN_ERRSPACE || notice == EN_MAXTEXT) && !data->loading)
                Tell(kTextNoEditMemory);
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT:
        if (data) {
            if (LRESULT brush = Orv_ColorControl(wParam, data->textColor, data->backgroundColor,
                                                 data->backgroundBrush))
                return brush;
        }
        break;
    case WM_CLOSE:
        if (MdiChild_CloseThroughFrame(editor) || !MayClose(editor, data))
            return 0;
        break;
    case WM_DESTROY:
        Frame_RetileLater();
        break;
    case WM_NCDESTROY:
        if (gCurrentEditor == editor)
            gCurrentEditor = NULL;
        delete data;
        SetWindowLongPtrA(editor, 0, 0);
        break;
    }
    return DefMDIChildProcA(editor, message, wParam, lParam);
}

HWND Editor_Open(const char* path, bool untitled) {
    if (!untitled) {
        if (RefuseUnusableName(path))
            return NULL;
        // The text test runs through the one engine: the view holding it keeps its state and
        // gets it back, whatever the test finds.
        HWND view = View_LendEngine();
        const int text = TextFile_TextTest(&gEngine, path);
        View_ReclaimEngine(view);
        if (text == 0)
            return NULL;
    }
    EditorCreate create = {path, untitled};
    HWND editor =
        Frame_NewChild(kEditClassName, Upper(path).c_str(), reinterpret_cast<LPARAM>(&create));
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

void Editor_ApplyLook(HWND editor) {
    EditorWindow* data = Editor_Control(editor) ? Data(editor) : nullptr;
    if (!data)
        return;
    data->textColor = gSettings.colors[kColorEditText];
    data->backgroundColor = gSettings.colors[kColorEditBackgnd];
    if (gDraw.editBrush)
        data->backgroundBrush = gDraw.editBrush;
    HFONT font = Fonts_Get(kFontEdit);
    if (reinterpret_cast<HFONT>(SendMessageA(data->edit, WM_GETFONT, 0, 0)) != font) {
        SendMessageA(data->edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        InsetText(data->edit); // setting a font gives the control its own margins again
    }
    SetTabStops(data); // measured in the font's average width; repaints
}

int32_t Editor_TabWidth(HWND editor) {
    return Editor_Control(editor) ? Data(editor)->tabWidth : gSettings.tabs;
}

void Editor_SetTabWidth(HWND editor, int32_t width) {
    if (!Editor_Control(editor))
        return;
    Data(editor)->tabWidth = width > 0 ? width : 1;
    SetTabStops(Data(editor));
}

int Editor_Save(HWND window, int kind, const char* prepared, int64_t preparedLength) {
    HWND edit = kind == kSavePrepared ? NULL : Editor_Control(window);
    if (kind != kSavePrepared && !edit)
        return 0;
    EditorWindow* data = edit ? Data(window) : nullptr;
    if (data && data->untitled)
        kind = kSaveAsNew; // a new text has no file of its own yet
    char name[MAX_PATH] = "";
    if (kind == kSaveToPath)
        lstrcpynA(name, data->path.c_str(), sizeof name);
    else if (!SaveDlg_AskName(window, data ? data->path.c_str() : kProposedName, name, sizeof name))
        return 0;

    int64_t length = preparedLength;
    char* copy = nullptr;
    if (edit) {
        copy = CopyText(edit, &length);
        if (!copy) {
            Tell(kTextNoEditMemory);
            return 0;
        }
    }
    void* busy = Ui_BeginBusy(name);
    const int saved = TextFile_Write(name, copy ? copy : prepared, length);
    Ui_EndBusy(busy);
    free(copy);
    if (saved != 1)
        return 0;
    if (data) {
        SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
        data->untitled = false;
        if (kind == kSaveAsNew) {
            // The editor takes the name its text now lives under.
            data->path = name;
            SetWindowTextA(window,
                           Upper(IsIconic(window) ? TextFile_NamePart(name) : name).c_str());
        }
    }
    DirWindows_FileSaved(name, kind != kSaveToPath);
    return 1;
}
