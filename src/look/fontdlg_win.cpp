// The font command: the system's font chooser for screen fonts, started from the kind's face
// and size, and "Available Fonts" (SizeDlg) when the chooser fails: the installed faces, the
// sizes each face lists, sizes generated on request, and a sample of the selected one.
#include "look/fontdlg_win.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

#include "look/commondlg_win.h"
#include "look/dlgcolor_win.h"
#include "look/fonts_win.h"
#include "look/look_win.h"
#include "platform/uiseam.h"
#include "resources/resource.h"
#include "shell/dlgbox_win.h"
#include "shell/startup_win.h"
#include "shell/winkind_win.h"

namespace {

const char kNoListMemory[] = "Could not allocate font list memory";
// Capital A with grave, acute, circumflex and tilde in the ANSI code page.
const char kSampleText[] = "Font Sample:\nAIW jgm, 1234 @#$% \xC0\xC1\xC2\xC3";

bool gFailListMemory = false;

// One size of a face: its logical font and what it shows as.
struct SizeEntry {
    LOGFONTA logFont;
    int32_t points;
    int32_t weight;
    int32_t italic;
};

// What EnumFunc collects: the faces, or the sizes of one face. Grown 16 entries at a time.
struct FontList {
    char (*faces)[kFontFaceMax];
    int32_t faceCount, faceRoom;
    SizeEntry* sizes;
    int32_t sizeCount, sizeRoom;
    int32_t dpiY;
    bool collectingSizes;
    bool outOfMemory;
};

struct SizeDlgRecord {
    FontList list;
    char face[kFontFaceMax]; // the working face and size
    int32_t points;
    bool bold, italic; // how "&Bold" and "&Italic" start
    HFONT sample; // the selected entry's font, for the sample area
};

// Room for one more item in a list of items of this size; false when there is none to be had.
bool MakeRoom(void** items, int32_t count, int32_t* room, size_t itemSize) {
    if (count < *room)
        return true;
    void* grown =
        gFailListMemory ? nullptr : realloc(*items, (size_t)(*room + 16) * itemSize);
    if (!grown)
        return false;
    *items = grown;
    *room += 16;
    return true;
}

bool AddFace(FontList* list, const char* face) {
    if (face[0] == '@') // the same face turned for vertical writing
        return true;
    for (int32_t i = 0; i < list->faceCount; i++)
        if (lstrcmpiA(list->faces[i], face) == 0)
            return true;
    void* items = list->faces;
    if (!MakeRoom(&items, list->faceCount, &list->faceRoom, sizeof *list->faces))
        return false;
    list->faces = static_cast<char(*)[kFontFaceMax]>(items);
    lstrcpynA(list->faces[list->faceCount++], face, kFontFaceMax);
    return true;
}

// The size of these points, boldness and slant already listed, or -1.
int FindSize(const FontList& list, const SizeEntry& entry) {
    for (int32_t i = 0; i < list.sizeCount; i++) {
        const SizeEntry& listed = list.sizes[i];
        if (listed.points == entry.points &&
            (listed.weight > kFontBoldWeight) == (entry.weight > kFontBoldWeight) &&
            (listed.italic != 0) == (entry.italic != 0))
            return i;
    }
    return -1;
}

bool InsertSize(FontList* list, int at, const SizeEntry& entry) {
    void* items = list->sizes;
    if (!MakeRoom(&items, list->sizeCount, &list->sizeRoom, sizeof *list->sizes))
        return false;
    list->sizes = static_cast<SizeEntry*>(items);
    memmove(&list->sizes[at + 1], &list->sizes[at],
            (size_t)(list->sizeCount - at) * sizeof *list->sizes);
    list->sizes[at] = entry;
    list->sizeCount++;
    return true;
}

void FreeList(FontList* list) {
    free(list->faces);
    free(list->sizes);
    *list = {};
}

int CompareFaces(const void* a, const void* b) {
    return lstrcmpiA(static_cast<const char*>(a), static_cast<const char*>(b));
}

// The installed faces, in alphabetical order. False when the memory ran out.
bool CollectFaces(FontList* list) {
    HDC screen = GetDC(NULL);
    list->dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    list->collectingSizes = false;
    EnumFontFamiliesA(screen, NULL, reinterpret_cast<FONTENUMPROCA>(EnumFunc),
                      reinterpret_cast<LPARAM>(list));
    ReleaseDC(NULL, screen);
    if (!list->outOfMemory && list->faceCount > 1)
        qsort(list->faces, (size_t)list->faceCount, sizeof *list->faces, CompareFaces);
    return !list->outOfMemory;
}

// The sizes of one face, as its enumeration lists them. False when the memory ran out.
bool CollectSizes(FontList* list, const char* face) {
    list->sizeCount = 0;
    list->collectingSizes = true;
    HDC screen = GetDC(NULL);
    EnumFontFamiliesA(screen, face, reinterpret_cast<FONTENUMPROCA>(EnumFunc),
                      reinterpret_cast<LPARAM>(list));
    ReleaseDC(NULL, screen);
    return !list->outOfMemory;
}

void TellNoMemory() {
    PromptRequest request = {kNoListMemory, nullptr, kButtonsOk, kIconWarning,
                             kPromptOwnedByFocus};
    Ui_Ask(request);
}

SizeDlgRecord* Record(HWND dialog) {
    return reinterpret_cast<SizeDlgRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

int SelectedFace(HWND dialog) {
    return (int)SendDlgItemMessageA(dialog, IDC_SIZE_FACES, LB_GETCURSEL, 0, 0);
}

int SelectedSize(HWND dialog) {
    return (int)SendDlgItemMessageA(dialog, IDC_SIZE_SIZES, LB_GETCURSEL, 0, 0);
}

// The sample area shows the selected size entry's font.
void UpdateSample(HWND dialog, SizeDlgRecord* r) {
    if (r->sample)
        DeleteObject(r->sample);
    r->sample = NULL;
    const int at = SelectedSize(dialog);
    if (at >= 0 && at < r->list.sizeCount)
        r->sample = CreateFontIndirectA(&r->list.sizes[at].logFont);
    InvalidateRect(GetDlgItem(dialog, IDC_SIZE_SAMPLE), NULL, TRUE);
}

void ShowSizes(HWND dialog, SizeDlgRecord* r, int select) {
    HWND sizes = GetDlgItem(dialog, IDC_SIZE_SIZES);
    SendMessageA(sizes, WM_SETREDRAW, FALSE, 0);
    SendMessageA(sizes, LB_RESETCONTENT, 0, 0);
    for (int32_t i = 0; i < r->list.sizeCount; i++) {
        const SizeEntry& entry = r->list.sizes[i];
        char text[kFontSizeTextMax];
        FontSpec_SizeText(entry.points, entry.weight, entry.italic, text, sizeof text);
        SendMessageA(sizes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(sizes, WM_SETREDRAW, TRUE, 0);
    SendMessageA(sizes, LB_SETCURSEL, (WPARAM)select, 0);
    InvalidateRect(sizes, NULL, TRUE);
    UpdateSample(dialog, r);
}

// The selected face's sizes, the working size selected when the face lists it. False when the
// memory ran out.
bool FillSizes(HWND dialog, SizeDlgRecord* r) {
    const int face = SelectedFace(dialog);
    if (face < 0 || face >= r->list.faceCount)
        return true;
    if (!CollectSizes(&r->list, r->list.faces[face]))
        return false;
    int select = 0;
    for (int32_t i = 0; i < r->list.sizeCount; i++) {
        if (r->list.sizes[i].points == r->points) {
            select = i;
            break;
        }
    }
    ShowSizes(dialog, r, select);
    return true;
}

void EndWithNoMemory(HWND dialog) {
    TellNoMemory();
    EndDialog(dialog, -1);
}

void OnInit(HWND dialog, SizeDlgRecord* r) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(r));
    if (!CollectFaces(&r->list)) {
        EndWithNoMemory(dialog);
        return;
    }
    HWND faces = GetDlgItem(dialog, IDC_SIZE_FACES);
    for (int32_t i = 0; i < r->list.faceCount; i++)
        SendMessageA(faces, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(r->list.faces[i]));
    const int face = FontSpec_FaceIndex(r->list.faces, r->list.faceCount, r->face);
    SendMessageA(faces, LB_SETCURSEL, (WPARAM)face, 0);
    SendMessageA(faces, LB_SETTOPINDEX, (WPARAM)face, 0);
    SendDlgItemMessageA(dialog, IDC_SIZE_POINTS, EM_LIMITTEXT, 3, 0);
    CheckDlgButton(dialog, IDC_SIZE_BOLD, r->bold ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SIZE_ITALIC, r->italic ? BST_CHECKED : BST_UNCHECKED);
    if (!FillSizes(dialog, r))
        EndWithNoMemory(dialog);
}

// "&Generate": a size of the typed points in the selected face, added in order among the
// face's sizes and selected. Its index, or -1 (nothing typed, or no such font to be had: the
// lists stay as they were).
int Generate(HWND dialog, SizeDlgRecord* r) {
    char typed[16] = "";
    GetDlgItemTextA(dialog, IDC_SIZE_POINTS, typed, sizeof typed);
    const int32_t points = FontSpec_LeadingPoints(typed);
    const int face = SelectedFace(dialog);
    if (points <= 0 || face < 0 || face >= r->list.faceCount)
        return -1;
    SizeEntry entry = {};
    LOGFONTA& logFont = entry.logFont;
    logFont.lfHeight = FontSpec_HeightForPoints(points, r->list.dpiY);
    logFont.lfWeight = IsDlgButtonChecked(dialog, IDC_SIZE_BOLD) ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = IsDlgButtonChecked(dialog, IDC_SIZE_ITALIC) ? TRUE : FALSE;
    logFont.lfCharSet =
        r->list.sizeCount > 0 ? r->list.sizes[0].logFont.lfCharSet : (BYTE)DEFAULT_CHARSET;
    lstrcpynA(logFont.lfFaceName, r->list.faces[face], LF_FACESIZE);
    HFONT made = CreateFontIndirectA(&logFont);
    if (!made)
        return -1;
    DeleteObject(made);
    entry.points = points;
    entry.weight = logFont.lfWeight;
    entry.italic = logFont.lfItalic;
    const int there = FindSize(r->list, entry);
    if (there >= 0) { // listed already: selected, not listed twice
        ShowSizes(dialog, r, there);
        return there;
    }
    std::vector<int32_t> listed;
    for (int32_t i = 0; i < r->list.sizeCount; i++)
        listed.push_back(r->list.sizes[i].points);
    const int at = FontSpec_InsertAt(listed.data(), r->list.sizeCount, points);
    if (!InsertSize(&r->list, at, entry)) {
        TellNoMemory();
        return -1;
    }
    ShowSizes(dialog, r, at);
    return at;
}

void OnOk(HWND dialog, SizeDlgRecord* r) {
    char typed[16] = "";
    GetDlgItemTextA(dialog, IDC_SIZE_POINTS, typed, sizeof typed);
    int chosen;
    int32_t points;
    if (FontSpec_LeadingPoints(typed) > 0) {
        chosen = Generate(dialog, r);
        points = FontSpec_LeadingPoints(typed);
    } else {
        chosen = SelectedSize(dialog);
        char text[kFontSizeTextMax + 8] = "";
        if (chosen >= 0)
            SendDlgItemMessageA(dialog, IDC_SIZE_SIZES, LB_GETTEXT, (WPARAM)chosen,
                                reinterpret_cast<LPARAM>(text));
        points = FontSpec_LeadingPoints(text);
    }
    const int face = SelectedFace(dialog);
    if (chosen < 0 || chosen >= r->list.sizeCount || face < 0) {
        MessageBeep(MB_OK); // nothing to take yet
        return;
    }
    lstrcpynA(r->face, r->list.faces[face], kFontFaceMax);
    r->points = points;
    EndDialog(dialog, chosen);
}

void PaintSample(SizeDlgRecord* r, const DRAWITEMSTRUCT* item) {
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (!r->sample)
        return;
    HGDIOBJ old = SelectObject(item->hDC, r->sample);
    const int oldMode = SetBkMode(item->hDC, TRANSPARENT);
    const COLORREF oldText = SetTextColor(item->hDC, GetSysColor(COLOR_BTNTEXT));
    RECT area = item->rcItem;
    InflateRect(&area, -2, -2);
    DrawTextA(item->hDC, kSampleText, -1, &area, DT_WORDBREAK | DT_NOPREFIX);
    SetTextColor(item->hDC, oldText);
    SetBkMode(item->hDC, oldMode);
    SelectObject(item->hDC, old);
}

void OnCommand(HWND dialog, SizeDlgRecord* r, WORD id, WORD notice) {
    switch (id) {
    case IDC_SIZE_FACES:
        if (notice == LBN_SELCHANGE && !FillSizes(dialog, r))
            EndWithNoMemory(dialog);
        break;
    case IDC_SIZE_SIZES:
        if (notice == LBN_SELCHANGE) {
            SetDlgItemTextA(dialog, IDC_SIZE_POINTS, "");
            UpdateSample(dialog, r);
        }
        break;
    case IDC_SIZE_GENERATE:
        if (Generate(dialog, r) < 0)
            MessageBeep(MB_OK);
        break;
    case IDOK:
        OnOk(dialog, r);
        break;
    case IDCANCEL:
        EndDialog(dialog, -1);
        break;
    }
}

// The working pair as the system's chooser starts from it and leaves it. 1 and the font made
// when the user chose one, 0 when cancelled, -1 when the chooser failed.
int ChooseSystemFont(HWND owner, FontChoice* working, HFONT* font) {
    HDC screen = GetDC(NULL);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    LOGFONTA logFont = {};
    logFont.lfHeight = FontSpec_HeightForPoints(working->points, dpiY);
    logFont.lfWeight = working->bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = working->italic ? TRUE : FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(logFont.lfFaceName, working->face, LF_FACESIZE);
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &logFont;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    choose.lpfnHook = CommonDlgHook;
    const LookChoosers& choosers = Look_Choosers();
    if (!choosers.chooseFont(&choose))
        return choosers.extendedError() != 0 ? -1 : 0;
    *font = CreateFontIndirectA(&logFont);
    if (!*font)
        return 0;
    lstrcpynA(working->face, logFont.lfFaceName, kFontFaceMax);
    working->points = choose.iPointSize / 10;
    working->bold = logFont.lfWeight > kFontBoldWeight;
    working->italic = logFont.lfItalic != 0;
    return 1;
}

// "Available Fonts" on the working pair: 1 and the font of the chosen size entry, else 0.
int ChooseOwnFont(HWND owner, FontChoice* working, HFONT* font) {
    SizeDlgRecord record = {};
    lstrcpynA(record.face, working->face, kFontFaceMax);
    record.points = working->points;
    record.bold = working->bold != 0;
    record.italic = working->italic != 0;
    const INT_PTR chosen = DialogBoxParamA(Dlg_Instance(), "SizeBox", owner, SizeDlg,
                                           reinterpret_cast<LPARAM>(&record));
    int result = 0;
    if (chosen >= 0 && chosen < record.list.sizeCount) {
        const LOGFONTA& logFont = record.list.sizes[chosen].logFont;
        *font = CreateFontIndirectA(&logFont);
        if (*font) {
            lstrcpynA(working->face, record.face, kFontFaceMax);
            working->points = record.points;
            working->bold = logFont.lfWeight > kFontBoldWeight;
            working->italic = logFont.lfItalic != 0;
            result = 1;
        }
    }
    FreeList(&record.list);
    return result;
}

// The points a font shows at, for a kind whose specification gave none (the older form).
int32_t PointsOf(HFONT font) {
    const TEXTMETRICA metric = Fonts_ScreenMetrics(font);
    HDC screen = GetDC(NULL);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return FontSpec_EntryPoints(
        {metric.tmHeight, metric.tmInternalLeading, metric.tmWeight, metric.tmItalic}, dpiY);
}

} // namespace

int CALLBACK EnumFunc(const LOGFONTA* logFont, const TEXTMETRICA* metric, DWORD, LPARAM param) {
    FontList* list = reinterpret_cast<FontList*>(param);
    if (!list->collectingSizes) {
        if (!AddFace(list, logFont->lfFaceName)) {
            list->outOfMemory = true;
            return 0;
        }
        return 1;
    }
    SizeEntry entry = {};
    entry.logFont = *logFont;
    entry.points = FontSpec_EntryPoints(
        {metric->tmHeight, metric->tmInternalLeading, metric->tmWeight, metric->tmItalic},
        list->dpiY);
    entry.weight = metric->tmWeight;
    entry.italic = metric->tmItalic;
    // A scalable face is listed once for each character set it covers: one entry a size.
    const int listed = FindSize(*list, entry);
    if (listed >= 0) {
        if (logFont->lfCharSet == ANSI_CHARSET) // the one the program's texts are in
            list->sizes[listed].logFont = *logFont;
        return 1;
    }
    if (!InsertSize(list, list->sizeCount, entry)) {
        list->outOfMemory = true;
        return 0;
    }
    return 1;
}

INT_PTR CALLBACK SizeDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    SizeDlgRecord* r = Record(dialog);
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<SizeDlgRecord*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (r && wParam == IDC_SIZE_SAMPLE) {
            PaintSample(r, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        if (r)
            OnCommand(dialog, r, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        if (r && r->sample) {
            DeleteObject(r->sample);
            r->sample = NULL;
        }
        return FALSE;
    }
    return DlgColor_Answer(message, wParam, lParam);
}

void SizeDlg_FailListMemoryForTests(bool fail) {
    gFailListMemory = fail;
}

int Font_Command(HWND frame) {
    const WindowTarget target = Orv_FocusTarget();
    LookSlots slots;
    if (!Look_Slots(target.kind, &slots))
        return 0;
    HWND owner = target.window ? target.window : frame;
    FontChoice working = gSettings.fonts[slots.font];
    if (working.points <= 0)
        working.points = PointsOf(Fonts_Get(slots.font));
    HFONT font = NULL;
    int result = ChooseSystemFont(owner, &working, &font);
    if (result < 0)
        result = ChooseOwnFont(owner, &working, &font);
    if (result != 1)
        return 0;
    working.sizeIndex = -1;
    Look_SetFont(slots.font, font, working);
    gSettings.optionsChanged = 1;
    Look_ApplyFont(target.window, target.kind);
    return 1;
}
