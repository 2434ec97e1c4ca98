#include "shell/winkind_win.h"

#include "shell/classes_win.h"

namespace {

// The program's own class names compare exactly; the system's controls case-blind.
bool ClassIs(HWND window, const char* name, bool caseBlind) {
    char className[64] = "";
    if (!window || !GetClassNameA(window, className, sizeof className))
        return false;
    return caseBlind ? lstrcmpiA(className, name) == 0 : lstrcmpA(className, name) == 0;
}

WindowKind KindOfProgramWindow(HWND window) {
    if (ClassIs(window, kViewClassName, false))
        return kKindView;
    if (ClassIs(window, kEditClassName, false))
        return kKindEditor;
    if (ClassIs(window, kSrchClassName, false))
        return kKindResults;
    if (ClassIs(window, kDirClassName, false))
        return kKindDir;
    return kKindNone;
}

} // namespace

WindowTarget Orv_ClassifyWindow(HWND window) {
    WindowTarget target = {kKindNone, NULL, NULL};
    if (!window || !IsWindow(window))
        return target;
    WindowKind kind = KindOfProgramWindow(window);
    if (kind != kKindNone) {
        target = {kind, window, NULL};
        return target;
    }
    HWND parent = GetParent(window);
    WindowKind parentKind = KindOfProgramWindow(parent);
    const bool isEdit = ClassIs(window, "edit", true);
    const bool isList = ClassIs(window, "listbox", true);
    if ((isEdit && (parentKind == kKindEditor || parentKind == kKindDir)) ||
        (isList && (parentKind == kKindResults || parentKind == kKindDir))) {
        target = {parentKind, parent, window};
        return target;
    }
    // The edit field of a directory window's file-name combo box.
    if (isEdit && ClassIs(parent, "ComboBox", true)) {
        HWND owner = GetParent(parent);
        if (KindOfProgramWindow(owner) == kKindDir)
            target = {kKindDir, owner, window};
    }
    return target;
}

WindowTarget Orv_FocusTarget() {
    return Orv_ClassifyWindow(GetFocus());
}

bool Orv_IsProgramWindow(HWND window, WindowKind kind) {
    return window && IsWindow(window) && KindOfProgramWindow(window) == kind;
}
