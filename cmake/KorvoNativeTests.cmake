# Native build: every module's GoogleTest cases become one executable test_<module>,
# every fuzz target a corpus replayer, and the benchmarks build when Google Benchmark is present.
enable_testing()
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

foreach(name ${KORVO_ALL_MODULES})
  file(GLOB tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp)
  if(tests)
    add_executable(test_${name} ${tests} ${PROJECT_SOURCE_DIR}/tests/support/test_support.cpp)
    target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(test_${name} PRIVATE korvo_${name} GTest::gtest GTest::gtest_main Threads::Threads)
    target_compile_definitions(test_${name} PRIVATE
      KORVO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      KORVO_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_dependencies(test_${name} fakemame)
    add_test(NAME ${name} COMMAND test_${name})
  endif()
endforeach()

# Fuzz targets: built natively as replayers of their seed corpus (run as tests);
# `make fuzz` builds the same sources with clang's libFuzzer instead.
file(GLOB fuzzers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(src ${fuzzers})
  get_filename_component(fname ${src} NAME_WE)
  if(KORVO_LIBFUZZER)
    add_executable(${fname} ${src})
    target_link_options(${fname} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${fname} ${src} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  endif()
  foreach(name ${KORVO_ALL_MODULES})
    target_link_libraries(${fname} PRIVATE korvo_${name})
  endforeach()
endforeach()

find_package(benchmark QUIET)
file(GLOB benches CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*_bench.cpp)
if(benchmark_FOUND AND benches)
  foreach(src ${benches})
    get_filename_component(bname ${src} NAME_WE)
    add_executable(${bname} ${src})
    foreach(name ${KORVO_ALL_MODULES})
      target_link_libraries(${bname} PRIVATE korvo_${name})
    endforeach()
    target_link_libraries(${bname} PRIVATE benchmark::benchmark benchmark::benchmark_main)
  endforeach()
endif()
