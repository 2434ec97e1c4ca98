#include "look/look_win.h"

#include "editor/editwnd_win.h"
#include "lister/dirwnd_win.h"
#include "look/fonts_win.h"
#include "search/resultswnd_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/settings.h"
#include "shell/winkind_win.h"
#include "viewer/viewwnd_win.h"

namespace {

const LookChoosers kSystemChoosers = {ChooseColorA, ChooseFontA, CommDlgExtendedError};
LookChoosers gChoosers = kSystemChoosers;

HandleList gBrushes; // the backgrounds chosen while the program runs

// Where the kind's brush is kept for the windows made from now on.
HBRUSH* KindBrush(int windowKind) {
    switch (windowKind) {
    case kLookKindView:
        return &gDraw.viewBrush;
    case kLookKindEditor:
        return &gDraw.editBrush;
    case kLookKindResults:
        return &gDraw.srchBrush;
    case kLookKindDir:
        return &gDraw.dirBrush;
    }
    return nullptr;
}

uintptr_t Handle(HGDIOBJ object) {
    return reinterpret_cast<uintptr_t>(object);
}

} // namespace

const LookChoosers& Look_Choosers() {
    return gChoosers;
}

void Look_SetChoosersForTests(const LookChoosers* choosers) {
    gChoosers = choosers ? *choosers : kSystemChoosers;
}

std::vector<HWND> Look_WindowsOfKind(int windowKind) {
    std::vector<HWND> windows;
    if (!gMdiClient)
        return windows;
    for (HWND child = GetWindow(gMdiClient, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        // An icon's title is owned by its window and is no window of a kind.
        if (!GetWindow(child, GW_OWNER) &&
            Orv_IsProgramWindow(child, static_cast<WindowKind>(windowKind)))
            windows.push_back(child);
    }
    return windows;
}

namespace {

// The window takes the colours or the font of its kind as they are now: a view or an editor
// takes its whole look again either way; a results or directory window only what changed.
void ApplyLook(HWND window, int windowKind, bool fontChanged, HFONT font) {
    switch (windowKind) {
    case kLookKindView:
        View_ApplyLook(window);
        break;
    case kLookKindEditor:
        Editor_ApplyLook(window);
        break;
    case kLookKindResults:
        if (fontChanged)
            Results_ApplyFont(window, font);
        else
            Results_ApplyColors(window);
        break;
    case kLookKindDir:
        if (fontChanged)
            DirWindow_ApplyFont(window, font);
        else
            DirWindow_ApplyColors(window);
        break;
    }
}

} // namespace

// A new look reaches the window it was chosen in; the other windows of the kind keep theirs
// until they are made again, and every window made from now on takes it.
void Look_ApplyColors(HWND window, int windowKind) {
    ApplyLook(window, windowKind, false, NULL);
}

void Look_ApplyFont(HWND window, int windowKind) {
    LookSlots slots;
    if (!Look_Slots(windowKind, &slots))
        return;
    ApplyLook(window, windowKind, true, Fonts_Get(slots.font));
}

int Look_SetBackgroundBrush(int windowKind, HBRUSH brush) {
    HBRUSH* kept = KindBrush(windowKind);
    if (!kept || !brush)
        return 0;
    // The brush it replaces may still be some window's until each has taken the new one: it
    // joins the list too, so that teardown deletes it and nothing sooner.
    if (HandleList_Add(&gBrushes, Handle(*kept)) < 0 ||
        HandleList_Add(&gBrushes, Handle(brush)) < 0) {
        DeleteObject(brush);
        return 0;
    }
    *kept = brush;
    if (windowKind == kLookKindView) {
        std::vector<HWND> views = Look_WindowsOfKind(kLookKindView);
        if (!views.empty())
            SetClassLongPtrA(views[0], GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
    }
    return 1;
}

void Look_SetFont(FontKind kind, HFONT font, const FontChoice& choice) {
    if (kind < 0 || kind >= kFontKinds || !font)
        return;
    // The font it replaces goes to the object list as well: a window may hold it until it has
    // taken the new one, and teardown deletes the list.
    if (gFonts.owned[kind] && gFonts.fonts[kind])
        Orv_KeepObject(gFonts.fonts[kind]);
    gFonts.owned[kind] = false;
    Orv_KeepObject(font);
    gFonts.fonts[kind] = font;
    gSettings.fonts[kind] = choice;
    gSettings.fonts[kind].sizeIndex = -1; // written with its points from now on
}

void Look_DeleteBrushes() {
    for (int32_t i = 0; i < gBrushes.count; i++) {
        HBRUSH brush = reinterpret_cast<HBRUSH>(gBrushes.items[i]);
        for (int kind : {kLookKindView, kLookKindEditor, kLookKindResults, kLookKindDir}) {
            HBRUSH* kept = KindBrush(kind);
            if (*kept == brush)
                *kept = NULL; // deleted here, not again with the start-up brushes
        }
        DeleteObject(brush);
    }
    HandleList_Free(&gBrushes);
}

int Look_BrushCount() {
    return gBrushes.count;
}
