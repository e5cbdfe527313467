# The Windows build (MinGW-w64; its programs run under Wine): the DLL exports exactly what the Linux library
# exports, the DLL and the programs need no DLL beyond Windows' own, and a host saves the same bytes as on Linux.
# A Linux build of the same tree (library and examples) is the reference: scripts/windows.sh makes one.
if(NOT WIN32)
  return()
endif()
set(BREVANT_LINUX_BUILD "" CACHE PATH "A Linux build of this tree (brevant and the edit_hoop hosts), the reference")
if(NOT EXISTS ${BREVANT_LINUX_BUILD}/libbrevant.so)
  message(FATAL_ERROR "The Windows tests compare with a Linux build: set BREVANT_LINUX_BUILD (scripts/windows.sh does)")
endif()
set(windows_test sh ${CMAKE_CURRENT_SOURCE_DIR}/windows/windows_test.sh)
set(work ${CMAKE_CURRENT_BINARY_DIR}/windows-work)
file(MAKE_DIRECTORY ${work})

add_test(NAME windows.exports_match_linux
         COMMAND ${windows_test} exports ${CMAKE_OBJDUMP} $<TARGET_FILE:brevant> ${BREVANT_LINUX_BUILD}/libbrevant.so
         WORKING_DIRECTORY ${work})
add_test(NAME windows.imports_only_system_dlls
         COMMAND ${windows_test} imports ${CMAKE_OBJDUMP} $<TARGET_FILE:brevant> $<TARGET_FILE:edit_hoop> $<TARGET_FILE:edit_hoop_c>
                 $<$<TARGET_EXISTS:brevant_tool>:$<TARGET_FILE:brevant_tool>>)
# The classic C++ host and the C host each save under Wine the bytes that their Linux builds save.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  foreach(host edit_hoop edit_hoop_c)
    add_test(NAME windows.${host}_saves_like_linux
             COMMAND ${windows_test} saves ${work}/${host} ${PROJECT_SOURCE_DIR}/examples/hoops.ini
                     ${BREVANT_LINUX_BUILD}/examples/${host} $<TARGET_FILE:${host}> -- ${CMAKE_CROSSCOMPILING_EMULATOR})
  endforeach()
endif()

# The zip (cmake/WindowsZip.cmake): unpacked, a MinGW host finds it with find_package and runs against it.
get_filename_component(toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
add_test(NAME windows.zip_installs_and_links
         COMMAND ${windows_test} zip ${work}/zip ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} ${toolchain}
                 -- ${CMAKE_CROSSCOMPILING_EMULATOR})
