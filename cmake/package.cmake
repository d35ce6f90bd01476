# What ships: Release size options for the exes, the size baseline built the
# same way, and one ZIP per architecture (`ninja package` or cpack) holding
# the exes, the README for Windows users and the licence. Portable: nothing
# is installed, so there is no installer and no registry.

# Stripped, and without code or data that nothing references. Neither
# changes what the program does.
function(veskal_release_size target)
  if(MINGW)
    target_compile_options(${target} PRIVATE
      "$<$<CONFIG:Release,MinSizeRel>:-ffunction-sections;-fdata-sections>")
    target_link_options(${target} PRIVATE "$<$<CONFIG:Release,MinSizeRel>:-s;-Wl,--gc-sections>")
  endif()
endfunction()

set(SHIPPED_TARGETS veskal)
if(TARGET config)
  list(APPEND SHIPPED_TARGETS config)
endif()
foreach(target IN LISTS SHIPPED_TARGETS)
  veskal_release_size(${target})
endforeach()
# The same list as file paths, comma-separated, for the checks.
set(SHIPPED_EXES "")
foreach(target IN LISTS SHIPPED_TARGETS)
  list(APPEND SHIPPED_EXES "$<TARGET_FILE:${target}>")
endforeach()
string(JOIN "," SHIPPED_EXES ${SHIPPED_EXES})

# A minimal static C++ Win32 program, the yardstick for the exes' size
# (tools/bench/sizes.sh).
add_executable(size_baseline WIN32 ${CMAKE_SOURCE_DIR}/tools/bench/baseline.cpp)
if(MINGW)
  target_link_options(size_baseline PRIVATE -static -static-libgcc -static-libstdc++)
endif()
veskal_release_size(size_baseline)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VESKAL_ARCH win64)
  set(PE_FORMAT pei-x86-64)
else()
  set(VESKAL_ARCH win32)
  set(PE_FORMAT pei-i386)
endif()
set(VESKAL_PACKAGE_NAME Veskal-${PROJECT_VERSION}-${VESKAL_ARCH})

# Text files for Notepad: CR LF line ends, and the README keeps the UTF-8
# byte-order mark its source starts with and gets the version.
set(PACKAGE_TEXT_DIR ${CMAKE_BINARY_DIR}/package-text)
configure_file(${CMAKE_SOURCE_DIR}/docs/README-windows.txt ${PACKAGE_TEXT_DIR}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${PACKAGE_TEXT_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS ${SHIPPED_TARGETS} RUNTIME DESTINATION .)
install(FILES ${PACKAGE_TEXT_DIR}/README.txt ${PACKAGE_TEXT_DIR}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Veskal)
set(CPACK_PACKAGE_VENDOR "The Veskal developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME ${VESKAL_ARCH})
set(CPACK_PACKAGE_FILE_NAME ${VESKAL_PACKAGE_NAME})
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# The ZIP unpacks into one folder named like the ZIP.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

if(OBJDUMP_TOOL)
  add_test(NAME package_contents
    COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DCONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
            -DWORK=${CMAKE_BINARY_DIR}/package-check -DNAME=${VESKAL_PACKAGE_NAME}
            -DVERSION=${PROJECT_VERSION} -DEXES=${SHIPPED_EXES} -DOBJDUMP=${OBJDUMP_TOOL}
            -DFORMAT=${PE_FORMAT}
            -DSTRIPPED=$<BOOL:$<CONFIG:Release,MinSizeRel>>
            -P ${CMAKE_SOURCE_DIR}/cmake/check_package.cmake)
  set_tests_properties(package_contents PROPERTIES LABELS package)
endif()
