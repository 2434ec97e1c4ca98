# One list of portable core sources serves the native and the mingw builds.
set(ORV_CORE_SOURCES
    src/shell/uiseam.cpp
    src/shell/memsettings.cpp
    src/viewer/engine.cpp
    src/viewer/linesplit.cpp
    src/viewer/rows.cpp
)
set(ORV_CORE_POSIX_SOURCES src/shell/platform_posix.cpp)
set(ORV_CORE_WIN_SOURCES src/shell/platform_win.cpp)

# The Win32 shell (everything but WinMain, so the GUI tests can link it).
set(ORV_SHELL_SOURCES
    src/shell/frame.cpp
    src/shell/startup.cpp
    src/shell/uiseam_win.cpp
)
set(ORV_RESOURCES src/resources/orv.rc)

set(ORV_CORE_TEST_SOURCES
    tests/core/test_main.cpp
    tests/core/engine_test.cpp
    tests/core/rows_test.cpp
    tests/core/linesplit_test.cpp
    tests/core/memsettings_test.cpp
    tests/core/support.cpp
)

set(ORV_GUI_TEST_SOURCES
    tests/gui/gui_main.cpp
    tests/gui/harness.cpp
    tests/gui/frame_test.cpp
    tests/gui/mode_question_test.cpp
)
