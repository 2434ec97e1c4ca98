# One list of portable core sources serves the native and the mingw builds. Each list is grouped
# by the folder its files live in; a file named *_win includes <windows.h> and is built only by the
# mingw builds.
set(ORV_CORE_SOURCES
    # src/platform
    src/platform/platform_common.cpp
    src/platform/uiseam.cpp
    # src/shell
    src/shell/barbuttons.cpp
    src/shell/helpfile.cpp
    src/shell/memsettings.cpp
    src/shell/settings.cpp
    # src/look
    src/look/fontspec.cpp
    src/look/look.cpp
    # src/viewer
    src/viewer/engine.cpp
    src/viewer/filetypes.cpp
    src/viewer/linescan.cpp
    src/viewer/linesplit.cpp
    src/viewer/rows.cpp
    src/viewer/selcopy.cpp
    src/viewer/viewcalc.cpp
    # src/find
    src/find/editfind.cpp
    src/find/findengine.cpp
    src/find/findhistory.cpp
    src/find/findinput.cpp
    src/find/findpat.cpp
    # src/search
    src/search/searchparse.cpp
    src/search/searchwalk.cpp
    src/search/selqueue.cpp
    # src/editor
    src/editor/textfile.cpp
    # src/lister
    src/lister/dirlayout.cpp
    src/lister/dirremove.cpp
    src/lister/dirsnap.cpp
    src/lister/dirtree.cpp
    src/lister/diskgrid.cpp
    src/lister/drive.cpp
    src/lister/filelist.cpp
    src/lister/fileops.cpp
    src/lister/launch.cpp
    src/lister/pathclass.cpp
    # src/print
    src/print/pagelayout.cpp
    src/print/pager.cpp
    src/print/printview.cpp
    src/print/prnsettings.cpp
    src/print/psread.cpp
)
set(ORV_CORE_POSIX_SOURCES src/platform/platform_posix.cpp src/platform/platform_dir_posix.cpp
    src/platform/platform_save_posix.cpp)
set(ORV_CORE_WIN_SOURCES src/platform/platform_win.cpp src/platform/platform_dir_win.cpp
    src/platform/platform_save_win.cpp)

# The Win32 shell (everything but WinMain, so the GUI tests can link it).
set(ORV_SHELL_SOURCES
    # src/shell
    src/shell/classes_win.cpp
    src/shell/ctlbar_win.cpp
    src/shell/drawobjects_win.cpp
    src/shell/frame_win.cpp
    src/shell/framecmd_win.cpp
    src/shell/framemsg_win.cpp
    src/shell/help_win.cpp
    src/shell/helpwnd_win.cpp
    src/shell/mdichild_win.cpp
    src/shell/menustate_win.cpp
    src/shell/optsdlg_win.cpp
    src/shell/saveopts_win.cpp
    src/shell/settings_win.cpp
    src/shell/splash_win.cpp
    src/shell/startup_win.cpp
    src/shell/typedlg_win.cpp
    src/shell/uiseam_win.cpp
    src/shell/winkind_win.cpp
    # src/look
    src/look/colordlg_win.cpp
    src/look/commondlg_win.cpp
    src/look/dlgcolor_win.cpp
    src/look/fontdlg_win.cpp
    src/look/fonts_win.cpp
    src/look/look_win.cpp
    # src/viewer
    src/viewer/selcopy_win.cpp
    src/viewer/viewdlgs_win.cpp
    src/viewer/viewfilecmd_win.cpp
    src/viewer/viewinput_win.cpp
    src/viewer/viewlend_win.cpp
    src/viewer/viewpaint_win.cpp
    src/viewer/viewtitle_win.cpp
    src/viewer/viewwnd_win.cpp
    # src/find
    src/find/finddlg_win.cpp
    src/find/findrun_win.cpp
    src/find/replacedlg_win.cpp
    # src/search
    src/search/listcmd_win.cpp
    src/search/matchdlg_win.cpp
    src/search/resultscmd_win.cpp
    src/search/resultssave_win.cpp
    src/search/resultswnd_win.cpp
    src/search/searchcmd_win.cpp
    src/search/searchdlg_win.cpp
    src/search/selqueue_win.cpp
    # src/editor
    src/editor/editcmd_win.cpp
    src/editor/editwnd_win.cpp
    src/editor/savedlg_win.cpp
    # src/lister
    src/lister/dircmd_win.cpp
    src/lister/dirinput_win.cpp
    src/lister/diropen_win.cpp
    src/lister/dirpaint_win.cpp
    src/lister/dirremove_win.cpp
    src/lister/dirwnd_win.cpp
    src/lister/diskbar_win.cpp
    src/lister/launch_win.cpp
    src/lister/splitbar_win.cpp
    # src/print
    src/print/pagedlg_win.cpp
    src/print/printjob_win.cpp
    src/print/prnsetup_win.cpp
    src/print/psview_win.cpp
)
set(ORV_RESOURCES src/resources/orv.rc)
# The pictures orv.rc takes in, drawn by src/resources/draw_resources.py (a new one is seen when
# CMake next configures).
file(GLOB ORV_PICTURES ${CMAKE_CURRENT_LIST_DIR}/../src/resources/pictures/*)

set(ORV_CORE_TEST_SOURCES
    tests/core/test_main.cpp
    tests/core/engine_test.cpp
    tests/core/rows_test.cpp
    tests/core/viewcalc_test.cpp
    tests/core/selcopy_test.cpp
    tests/core/filetypes_test.cpp
    tests/core/linesplit_test.cpp
    tests/core/linescan_test.cpp
    tests/core/memsettings_test.cpp
    tests/core/settings_test.cpp
    tests/core/fontspec_test.cpp
    tests/core/findpat_test.cpp
    tests/core/findhistory_test.cpp
    tests/core/findengine_test.cpp
    tests/core/editfind_test.cpp
    tests/core/textfile_test.cpp
    tests/core/filelist_test.cpp
    tests/core/dirtree_test.cpp
    tests/core/fileops_test.cpp
    tests/core/pathclass_test.cpp
    tests/core/selqueue_test.cpp
    tests/core/launch_test.cpp
    tests/core/dirremove_test.cpp
    tests/core/drive_test.cpp
    tests/core/findinput_test.cpp
    tests/core/barbuttons_test.cpp
    tests/core/dirlayout_test.cpp
    tests/core/diskgrid_test.cpp
    tests/core/srchparse_test.cpp
    tests/core/filesearch_test.cpp
    tests/core/helpfile_test.cpp
    tests/core/look_test.cpp
    tests/core/psread_test.cpp
    tests/core/print_test.cpp
    tests/core/support.cpp
)

set(ORV_GUI_TEST_SOURCES
    tests/gui/gui_main.cpp
    tests/gui/harness.cpp
    tests/gui/frame_test.cpp
    tests/gui/mode_question_test.cpp
    tests/gui/settings_gui_test.cpp
    tests/gui/find_gui_test.cpp
    tests/gui/startup_test.cpp
    tests/gui/winkind_test.cpp
    tests/gui/menustate_test.cpp
    tests/gui/resources_test.cpp
    tests/gui/framecmd_test.cpp
    tests/gui/framemsg_test.cpp
    tests/gui/listcmd_test.cpp
    tests/gui/results_test.cpp
    tests/gui/fileops_gui_test.cpp
    tests/gui/view_test.cpp
    tests/gui/view_bench_test.cpp
    bench/viewmoves.cpp
    tests/gui/selcopy_gui_test.cpp
    tests/gui/viewdlgs_gui_test.cpp
    tests/gui/typedlg_gui_test.cpp
    tests/gui/finddlg_test.cpp
    tests/gui/dirwnd_test.cpp
    tests/gui/names_test.cpp
    tests/gui/dir_bench_test.cpp
    tests/gui/srchdlg_test.cpp
    tests/gui/srchrun_test.cpp
    tests/gui/editor_test.cpp
    tests/gui/edit_bench_test.cpp
    tests/gui/search_bench_test.cpp
    tests/gui/optsdlg_test.cpp
    tests/gui/look_test.cpp
    tests/gui/psview_test.cpp
    tests/gui/pagedlg_gui_test.cpp
    tests/gui/printjob_gui_test.cpp
)

# Prints to the test printer of a real spooler and reads the pages back.
set(ORV_PRINT_TEST_SOURCES tests/gui/gui_main.cpp tests/gui/harness.cpp tests/print/print_job_test.cpp)

# Reads out/ORV32.EXE as a file; links the resource script to compare with.
set(ORV_PRODUCT_TEST_SOURCES tests/product/product_test.cpp)
