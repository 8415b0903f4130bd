# Each folder under src/ is one module. Inside a folder:
#   name.cpp        portable logic (no <windows.h>), built everywhere
#   name_win.cpp    the Win32 twin of an OS interface, built only for Windows
#   name_posix.cpp  the POSIX twin, built only natively (it lets the logic run under test)
#   *_ui_win.cpp    windows and dialogs, built only into korvo.exe
# A module's folder under tests/ holds its GoogleTest cases.

set(KORVO_ALL_MODULES "" CACHE INTERNAL "")

if(NOT WIN32)
  option(KORVO_SANITIZE "Build with AddressSanitizer and UBSan" ON)
  option(KORVO_LIBFUZZER "Link the fuzz targets with clang's libFuzzer (make fuzz)" OFF)
  if(KORVO_LIBFUZZER)
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
  if(KORVO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
add_compile_options(-Wall -Wextra -Wno-unused-parameter)

function(korvo_module name)
  cmake_parse_arguments(M "" "" "DEPS" ${ARGN})
  set(dir ${PROJECT_SOURCE_DIR}/src/${name})
  file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(portable ${all})
  list(FILTER portable EXCLUDE REGEX "_(win|posix)\\.cpp$")
  if(WIN32)
    set(os ${all})
    list(FILTER os INCLUDE REGEX "_win\\.cpp$")
    list(FILTER os EXCLUDE REGEX "/main_win\\.cpp$")  # the entry point belongs to korvo.exe only
  else()
    set(os ${all})
    list(FILTER os INCLUDE REGEX "_posix\\.cpp$")
  endif()
  add_library(korvo_${name} STATIC ${portable} ${os} ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  target_include_directories(korvo_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(dep ${M_DEPS})
    target_link_libraries(korvo_${name} PUBLIC korvo_${dep})
  endforeach()
  if(WIN32)
    target_compile_definitions(korvo_${name} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
  endif()
  set(KORVO_ALL_MODULES ${KORVO_ALL_MODULES} ${name} CACHE INTERNAL "")
endfunction()
