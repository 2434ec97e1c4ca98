// The frame routes commands by the kind of the focused window: the four program windows
// themselves, and the controls inside them that stand for them.
#include <gtest/gtest.h>
#include <windows.h>

#include "gui/harness.h"
#include "shell/classes_win.h"
#include "shell/winkind_win.h"

namespace {

HWND NewControl(const char* className, HWND parent, DWORD style = 0) {
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 100, parent,
                           NULL, GetModuleHandleA(NULL), NULL);
}

TEST_F(OrvFrameTest, WindowsAndTheirControlsAreClassifiedByKind) {
    HWND view = Harness_NewChild(kViewClassName);
    HWND editor = Harness_NewChild(kEditClassName);
    HWND results = Harness_NewChild(kSrchClassName);
    HWND dir = Harness_NewChild(kDirClassName);
    ASSERT_TRUE(view && editor && results && dir);
    HWND editorEdit = NewControl("EDIT", editor);
    HWND resultsList = NewControl("LISTBOX", results);
    HWND dirList = NewControl("ListBox", dir);
    HWND dirEdit = NewControl("edit", dir);
    HWND dirCombo = NewControl("COMBOBOX", dir, CBS_DROPDOWN);
    HWND comboEdit = GetWindow(dirCombo, GW_CHILD);
    HWND strayEdit = NewControl("EDIT", gFrame);
    HWND editorList = NewControl("LISTBOX", editor);

    const struct {
        HWND focus;
        WindowKind kind;
        HWND window, control;
    } cases[] = {
        {view, kKindView, view, NULL},
        {editor, kKindEditor, editor, NULL},
        {results, kKindResults, results, NULL},
        {dir, kKindDir, dir, NULL},
        {editorEdit, kKindEditor, editor, editorEdit},
        {resultsList, kKindResults, results, resultsList},
        {dirList, kKindDir, dir, dirList},
        {dirEdit, kKindDir, dir, dirEdit},
        {comboEdit, kKindDir, dir, comboEdit},
        {strayEdit, kKindNone, NULL, NULL},
        {editorList, kKindNone, NULL, NULL}, // a list box stands for results and directories only
        {gMdiClient, kKindNone, NULL, NULL},
        {NULL, kKindNone, NULL, NULL},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
        SCOPED_TRACE(i);
        WindowTarget t = Orv_ClassifyWindow(cases[i].focus);
        EXPECT_EQ(cases[i].kind, t.kind);
        EXPECT_EQ(cases[i].window, t.window);
        EXPECT_EQ(cases[i].control, t.control);
    }
    ASSERT_TRUE(comboEdit != NULL);
    SetFocus(comboEdit);
    EXPECT_EQ(kKindDir, Orv_FocusTarget().kind);
}

} // namespace
