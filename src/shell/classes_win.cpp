#include "shell/classes_win.h"

#include "editor/editwnd_win.h"
#include "lister/dirwnd_win.h"
#include "search/resultswnd_win.h"
#include "shell/ctlbar_win.h"
#include "shell/drawobjects_win.h"
#include "shell/frame_win.h"
#include "shell/splash_win.h"
#include "viewer/viewwnd_win.h"

namespace {

struct ClassRow {
    const char* name;
    WNDPROC procedure;
    UINT style;
    int extraBytes;
    const char* icon; // null: none
    HBRUSH DrawObjects::*ownBrush; // a brush of the drawing objects, or null for the stock one
    int stockBrush;
    const char* cursor; // null: the arrow
};

// The nine after the frame's, in the order they are registered.
const ClassRow kChildClasses[] = {
    {kViewClassName, ORVMDIChildWndProc, 0, kViewExtraBytes, "MinimizeIcon",
     &DrawObjects::viewBrush, 0, nullptr},
    {kDirClassName, ORVDirWndProc, 0, kDirExtraBytes, "DirIcon", nullptr, LTGRAY_BRUSH, nullptr},
    {kSplashClassName, ORVSplashWndProc, 0, 0, nullptr, nullptr, LTGRAY_BRUSH, nullptr},
    {kTitleClassName, ORVTitleWndProc, 0, 0, nullptr, nullptr, WHITE_BRUSH, nullptr},
    {kSrchClassName, ORVSrchWndProc, CS_DBLCLKS, kSrchExtraBytes, "SrchIcon", nullptr,
     WHITE_BRUSH, nullptr},
    {kEditClassName, ORVEditWndProc, 0, kEditExtraBytes, "EditIcon", nullptr, WHITE_BRUSH,
     nullptr},
    {kBarClassName, ControlBarWndProc, CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNCLIENT, 0, nullptr,
     &DrawObjects::barBrush, 0, nullptr},
    {kDiskClassName, ORVDiskWndProc, CS_DBLCLKS, 0, nullptr, &DrawObjects::barBrush, 0, nullptr},
    {kSplitClassName, ORVSplitWndProc, CS_DBLCLKS, 0, nullptr, nullptr, BLACK_BRUSH,
     "SplitCursor"},
};

} // namespace

int Classes_Register(HINSTANCE instance) {
    if (!Frame_RegisterClass(instance))
        return 0;
    for (const ClassRow& row : kChildClasses) {
        WNDCLASSA windowClass = {};
        windowClass.style = row.style;
        windowClass.lpfnWndProc = row.procedure;
        windowClass.cbWndExtra = row.extraBytes;
        windowClass.hInstance = instance;
        windowClass.hIcon = row.icon ? LoadIconA(instance, row.icon) : NULL;
        windowClass.hCursor = row.cursor ? LoadCursorA(instance, row.cursor) : NULL;
        if (!windowClass.hCursor)
            windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
        windowClass.hbrBackground = row.ownBrush
                                        ? gDraw.*row.ownBrush
                                        : static_cast<HBRUSH>(GetStockObject(row.stockBrush));
        windowClass.lpszClassName = row.name;
        if (!RegisterClassA(&windowClass)) {
            Classes_UnregisterChildren(instance);
            Frame_UnregisterClass(instance);
            return 0;
        }
    }
    return 1;
}

void Classes_UnregisterChildren(HINSTANCE instance) {
    for (const ClassRow& row : kChildClasses)
        UnregisterClassA(row.name, instance);
}
