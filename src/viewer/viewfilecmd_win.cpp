// The commands a file view carries out on its file as a whole when it has the focus: the frame
// routes them here by the kind of the focused window, after the view's own (View_Command).
#include "viewer/viewfilecmd_win.h"

#include <stdint.h>

#include <string>

#include "editor/editwnd_win.h"
#include "lister/fileops.h"
#include "lister/launch_win.h"
#include "resources/resource.h"
#include "viewer/viewwnd_win.h"

namespace {

// "&Edit": an editor opens on the file at the view's top line and takes the view's place.
void ViewToEditor(HWND view) {
    const std::string path = View_Path(view);
    const int64_t top = View_TopLine(view);
    if (HWND editor = Editor_Open(path.c_str(), false)) {
        View_Close(view, false);
        Editor_ShowLine(editor, top);
    }
}

} // namespace

int View_FileCommand(HWND frame, HWND view, WORD id) {
    switch (id) {
    case IDM_DELETE: {
        const std::string path = View_Path(view); // the view goes before its file
        DeleteOneFile(path.c_str(), false, true);
        return 1;
    }
    case IDM_SAVE_AS: {
        std::string text;
        if (View_SelectionForSave(view, &text))
            Editor_Save(view, kSavePrepared, text.data(), (int64_t)text.size());
        return 1;
    }
    case IDM_EDIT:
        ViewToEditor(view);
        return 1;
    case IDM_LAUNCH:
        Launch_Files(frame, {View_Path(view)});
        return 1;
    }
    return 0;
}
