# Windows build: korvo.exe and the Windows-side test executable.
enable_language(RC)
set(KORVO_WIN_LIBS comctl32 comdlg32 shell32 ole32 oleaut32 oleacc uuid gdi32 user32 advapi32 shlwapi uxtheme dwmapi winmm windowscodecs)

# Libraries the first window does not need are loaded when first called: under
# Wine each one loaded at start-up (with what it loads itself) delays the first
# paint by several milliseconds. A function missing from a .def file below is
# still found, imported the ordinary way from the library named after it.
set(KORVO_DELAYED_DLLS comdlg32 ole32 oleacc oleaut32 shell32 winmm)
set(korvo_delayed "")
if(MSVC)
  foreach(dll ${KORVO_DELAYED_DLLS})
    list(APPEND korvo_delayed "-DELAYLOAD:${dll}.dll")
  endforeach()
  list(APPEND korvo_delayed delayimp)
else()
  foreach(dll ${KORVO_DELAYED_DLLS})
    set(def ${PROJECT_SOURCE_DIR}/cmake/delayload/${dll}.def)
    set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delayed.a)
    add_custom_command(OUTPUT ${lib} COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
                       COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib} DEPENDS ${def} VERBATIM)
    list(APPEND korvo_delayed ${lib})
  endforeach()
  add_custom_target(korvo_delayed_libs DEPENDS ${korvo_delayed})
endif()

set(korvo_libs "")
foreach(name ${KORVO_ALL_MODULES})
  list(APPEND korvo_libs korvo_${name})
endforeach()

add_executable(korvo WIN32 ${PROJECT_SOURCE_DIR}/src/app/main_win.cpp ${PROJECT_SOURCE_DIR}/src/app/res/korvo.rc)
# The resource script finds the version and the manifest there (windres and rc search include folders for files).
configure_file(${PROJECT_SOURCE_DIR}/src/app/res/korvo.manifest.in ${PROJECT_BINARY_DIR}/generated/korvo.manifest @ONLY)
target_include_directories(korvo PRIVATE ${PROJECT_BINARY_DIR}/generated)
if(MSVC)
  set(korvo_link ${korvo_libs})  # the MSVC linker searches static libraries repeatedly by itself
else()
  # No link time in the program's header: the same sources give the same korvo.exe.
  target_link_options(korvo PRIVATE -municode -Wl,--no-insert-timestamp)
  set(korvo_link "$<LINK_GROUP:RESCAN,${korvo_libs}>")
endif()
target_link_libraries(korvo PRIVATE ${korvo_link} ${korvo_delayed} ${KORVO_WIN_LIBS})
if(TARGET korvo_delayed_libs)
  add_dependencies(korvo korvo_delayed_libs)
endif()

# `make run` waits with it for the game list before its screenshot.
add_executable(wait_for_list ${PROJECT_SOURCE_DIR}/tools/wait_for_list/wait_for_list_win.cpp)
if(NOT MSVC)
  target_link_options(wait_for_list PRIVATE -municode)
endif()

# The captured run's benchmark as a Windows program (`make bench` runs it under Wine).
add_executable(captured_run_bench EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/captured_run_bench.cpp)
target_link_libraries(captured_run_bench PRIVATE ${korvo_link} ${KORVO_WIN_LIBS})
target_compile_definitions(captured_run_bench PRIVATE KORVO_FAKEMAME="Z:$<TARGET_FILE:fakemame>")
add_dependencies(captured_run_bench fakemame)

# The window benchmark (`make bench` runs it under Wine): the harness and the
# trivial window program it measures korvo.exe against.
add_executable(trivial_window WIN32 ${PROJECT_SOURCE_DIR}/bench/window/trivial_window.cpp)
add_executable(window_bench ${PROJECT_SOURCE_DIR}/bench/window/window_bench.cpp)
target_link_libraries(trivial_window PRIVATE korvo_base)
add_executable(trivial_window_common_controls WIN32 ${PROJECT_SOURCE_DIR}/bench/window/trivial_window.cpp
               ${PROJECT_SOURCE_DIR}/bench/window/common_controls.rc)
target_compile_definitions(trivial_window_common_controls PRIVATE KORVO_TRIVIAL_COMMON_CONTROLS)
target_include_directories(trivial_window_common_controls PRIVATE ${PROJECT_BINARY_DIR}/generated)
target_link_libraries(trivial_window_common_controls PRIVATE korvo_base comctl32)
if(NOT MSVC)
  target_link_options(trivial_window PRIVATE -municode)
  target_link_options(trivial_window_common_controls PRIVATE -municode)
endif()

# Benchmarks of the Windows layer (bench/*_bench_win.cpp), run under Wine by
# `make bench`. They drive the real main window through the tests' fixture.
file(GLOB win_benches CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*_bench_win.cpp)
foreach(src ${win_benches})
  get_filename_component(bname ${src} NAME_WE)
  add_executable(${bname} ${src} ${PROJECT_SOURCE_DIR}/tests/win/main_window_fixture_win.cpp
                 ${PROJECT_SOURCE_DIR}/tests/win/screenshot_win.cpp)
  target_include_directories(${bname} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${bname} PRIVATE ${korvo_link} ${KORVO_WIN_LIBS})
  target_compile_definitions(${bname} PRIVATE UNICODE _UNICODE NOMINMAX
    KORVO_FIXTURES="Z:${PROJECT_SOURCE_DIR}/tests/fixtures/mame0251")
endforeach()

# GoogleTest: Debian's source package when cross-compiling, else an installed package.
set(gtest_src /usr/src/googletest/googletest)
if(EXISTS ${gtest_src}/src/gtest-all.cc)
  add_library(gtest_win STATIC ${gtest_src}/src/gtest-all.cc ${gtest_src}/src/gtest_main.cc)
  target_include_directories(gtest_win PUBLIC ${gtest_src}/include PRIVATE ${gtest_src})
else()
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    message(STATUS "GoogleTest not found: building korvo.exe without the Windows tests")
    return()
  endif()
  add_library(gtest_win INTERFACE)
  target_link_libraries(gtest_win INTERFACE GTest::gtest GTest::gtest_main)
endif()

file(GLOB win_tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/*.cpp)
add_executable(korvo_win_tests ${win_tests})
target_include_directories(korvo_win_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(korvo_win_tests PRIVATE gtest_win ${korvo_link} ${KORVO_WIN_LIBS} version)
# Under Wine the Linux root is drive Z:.
target_compile_definitions(korvo_win_tests PRIVATE UNICODE _UNICODE NOMINMAX
  KORVO_FIXTURES="Z:${PROJECT_SOURCE_DIR}/tests/fixtures/mame0251")

