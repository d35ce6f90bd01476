# The real program: veskal.exe (and config.exe) for Windows, built with
# MSVC or cross-built with MinGW-w64.
enable_language(RC)

add_executable(veskal WIN32 ${PRODUCT_SOURCES} ${CMAKE_SOURCE_DIR}/res/veskal.rc)
target_include_directories(veskal PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(veskal PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _CRT_SECURE_NO_WARNINGS)
target_link_libraries(veskal PRIVATE user32 shell32 kernel32)
if(MINGW)
  # Only Windows system DLLs at run time: no libgcc, libstdc++ or winpthread.
  target_link_options(veskal PRIVATE -static -static-libgcc -static-libstdc++)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/config/CMakeLists.txt)
  add_subdirectory(config)
endif()

enable_testing()
find_program(OBJDUMP_TOOL NAMES ${CMAKE_CXX_COMPILER_TARGET}-objdump x86_64-w64-mingw32-objdump i686-w64-mingw32-objdump objdump)
if(OBJDUMP_TOOL)
  add_test(NAME imports_only_system_dlls
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${OBJDUMP_TOOL} -DEXES=$<TARGET_FILE:veskal>
            -P ${CMAKE_SOURCE_DIR}/cmake/check_imports.cmake)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
