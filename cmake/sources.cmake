# One list of portable core sources serves the native and the mingw builds.
set(ORV_CORE_SOURCES
    src/platform/uiseam.cpp
    src/shell/memsettings.cpp
    src/viewer/engine.cpp
    src/viewer/linesplit.cpp
    src/viewer/rows.cpp
    src/viewer/viewcalc.cpp
    src/viewer/selcopy.cpp
    src/viewer/filetypes.cpp
    src/shell/settings.cpp
    src/look/fontspec.cpp
    src/find/findpat.cpp
    src/find/findhistory.cpp
    src/find/findengine.cpp
    src/find/editfind.cpp
    src/editor/textfile.cpp
    src/lister/filelist.cpp
    src/lister/dirtree.cpp
    src/lister/dirsnap.cpp
    src/lister/fileops.cpp
    src/lister/pathclass.cpp
    src/lister/launch.cpp
    src/lister/drive.cpp
    src/lister/dirremove.cpp
    src/lister/dirlayout.cpp
    src/lister/diskgrid.cpp
    src/find/selqueue.cpp
    src/find/srchentry.cpp
    src/find/findinput.cpp
    src/shell/barbuttons.cpp
    src/find/srchparse.cpp
    src/find/filesearch.cpp
    src/print/pagelayout.cpp
    src/print/pager.cpp
    src/print/prnsettings.cpp
    src/print/printview.cpp
)
set(ORV_CORE_POSIX_SOURCES src/platform/platform_posix.cpp src/platform/platform_dir_posix.cpp
    src/platform/platform_save_posix.cpp)
set(ORV_CORE_WIN_SOURCES src/platform/platform_win.cpp src/platform/platform_dir_win.cpp
    src/platform/platform_save_win.cpp)

# The Win32 shell (everything but WinMain, so the GUI tests can link it).
set(ORV_SHELL_SOURCES
    src/shell/frame.cpp
    src/shell/framecmd.cpp
    src/shell/framemsg.cpp
    src/shell/help.cpp
    src/shell/startup.cpp
    src/shell/uiseam_win.cpp
    src/shell/saveopts.cpp
    src/shell/typedlg.cpp
    src/shell/settings_win.cpp
    src/look/fonts_win.cpp
    src/find/replacedlg.cpp
    src/find/finddlg.cpp
    src/find/findrun.cpp
    src/find/srchwnd.cpp
    src/find/srchsave_win.cpp
    src/shell/classes.cpp
    src/shell/ctlbar.cpp
    src/shell/drawobjects.cpp
    src/shell/splash.cpp
    src/shell/winkind.cpp
    src/shell/menustate.cpp
    src/viewer/viewwnd.cpp
    src/viewer/viewpaint.cpp
    src/viewer/viewtitle.cpp
    src/viewer/selcopy_win.cpp
    src/viewer/viewdlgs.cpp
    src/look/commondlg_win.cpp
    src/look/dlgcolor_win.cpp
    src/lister/dirwnd.cpp
    src/lister/diropen.cpp
    src/lister/dirpaint.cpp
    src/lister/dirinput.cpp
    src/lister/diskbar.cpp
    src/lister/splitbar.cpp
    src/editor/editwnd.cpp
    src/editor/savedlg_win.cpp
    src/find/selqueue_win.cpp
    src/lister/launch_win.cpp
    src/lister/dirremove_win.cpp
    src/lister/matchdlg.cpp
    src/find/srchdlg.cpp
    src/find/srchrun.cpp
    src/print/prnsetup_win.cpp
    src/print/pagedlg_win.cpp
    src/print/printjob_win.cpp
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
    tests/core/srchentry_test.cpp
    tests/core/launch_test.cpp
    tests/core/dirremove_test.cpp
    tests/core/drive_test.cpp
    tests/core/findinput_test.cpp
    tests/core/barbuttons_test.cpp
    tests/core/dirlayout_test.cpp
    tests/core/diskgrid_test.cpp
    tests/core/srchparse_test.cpp
    tests/core/filesearch_test.cpp
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
    tests/gui/dir_bench_test.cpp
    tests/gui/srchdlg_test.cpp
    tests/gui/editor_test.cpp
    tests/gui/edit_bench_test.cpp
    tests/gui/search_bench_test.cpp
    tests/gui/pagedlg_gui_test.cpp
)

# Prints to the test printer of a real spooler and reads the pages back.
set(ORV_PRINT_TEST_SOURCES tests/gui/gui_main.cpp tests/gui/harness.cpp tests/print/print_job_test.cpp)

# Reads out/ORV32.EXE as a file; links the resource script to compare with.
set(ORV_PRODUCT_TEST_SOURCES tests/product/product_test.cpp)
