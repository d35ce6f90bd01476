# The real program: veskal.exe (and config.exe) for Windows, built with
# MSVC or cross-built with MinGW-w64.
enable_language(RC)

add_executable(veskal WIN32 ${CORE_SOURCES} ${SHELL_SOURCES} ${CMAKE_SOURCE_DIR}/app/main.cpp ${CMAKE_SOURCE_DIR}/res/veskal.rc)
target_include_directories(veskal PRIVATE ${CMAKE_SOURCE_DIR})

# The VERSIONINFO resource takes its numbers from the project version.
foreach(part MAJOR MINOR PATCH)
  set(VESKAL_VERSION_${part} 0)
  if(PROJECT_VERSION_${part})
    set(VESKAL_VERSION_${part} ${PROJECT_VERSION_${part}})
  endif()
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/res/veskal_version.h.in ${CMAKE_BINARY_DIR}/generated/veskal_version.h @ONLY)
target_include_directories(veskal PRIVATE $<$<COMPILE_LANGUAGE:RC>:${CMAKE_BINARY_DIR}/generated>)
# The resource compiler reports no dependencies: list the files it embeds.
file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.cur)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/veskal.rc PROPERTIES OBJECT_DEPENDS
  "${RESOURCE_FILES};${CMAKE_SOURCE_DIR}/res/veskal.manifest;${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_BINARY_DIR}/generated/veskal_version.h")
if(MSVC)
  # The manifest comes from the resource script; a second one would clash.
  target_link_options(veskal PRIVATE /MANIFEST:NO)
endif()
target_compile_definitions(veskal PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _CRT_SECURE_NO_WARNINGS)
# gdi32: the map's bitmap; dwmapi: cloaked windows; ole32 and uuid (a static
# library): the Startup folder's shortcut.
target_link_libraries(veskal PRIVATE user32 shell32 kernel32 gdi32 dwmapi ole32 uuid)
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
  set(CHECKED_EXES $<TARGET_FILE:veskal>)
  if(TARGET config)
    string(APPEND CHECKED_EXES ",$<TARGET_FILE:config>")
  endif()
  add_test(NAME imports_only_system_dlls
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${OBJDUMP_TOOL} -DEXES=${CHECKED_EXES}
            -P ${CMAKE_SOURCE_DIR}/cmake/check_imports.cmake)
endif()
# The stand-in desktop shell that Veskal needs under Wine (tools/run.sh, the
# Wine benchmark and the end-to-end suite start it), and the reference
# programs and observer of the Wine benchmark, tools/bench/wine.sh.
add_executable(desktop_shell WIN32 ${CMAKE_SOURCE_DIR}/tools/desktop_shell.cpp)
target_link_libraries(desktop_shell PRIVATE comctl32)
target_compile_definitions(desktop_shell PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
add_executable(bench_idle WIN32 ${CMAKE_SOURCE_DIR}/tools/bench/bench_idle.cpp)
add_executable(bench_probe ${CMAKE_SOURCE_DIR}/tools/bench/bench_probe.cpp)
foreach(exe desktop_shell bench_idle bench_probe)
  if(MINGW)
    target_link_options(${exe} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endforeach()
# What only a real Win32 shows, under Wine: whole on the 64-bit build, its
# core rows on the 32-bit one (Wine runs both in one prefix where wine32 is installed).
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/wine/CMakeLists.txt)
  add_subdirectory(tests/wine)
endif()
include(cmake/package.cmake)
