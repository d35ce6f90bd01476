# Linux: the core, which needs no Win32, and its tests.
option(VESKAL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VESKAL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(veskal_core STATIC ${CORE_SOURCES} ${CONFIG_CORE_SOURCES})
target_include_directories(veskal_core PUBLIC ${CMAKE_SOURCE_DIR})

enable_testing()
add_subdirectory(tests)

# The wall-time benchmark, kept building; tools/bench/host.sh runs it.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_subdirectory(tools/bench)
else()
  message(STATUS "Google Benchmark not found: poll_bench is not built")
endif()
