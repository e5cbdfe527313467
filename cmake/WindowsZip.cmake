# Packs a Windows build as a zip: its install tree, stripped, in one top directory named like the zip.
#   cmake -DBUILD=<build directory> -DZIP=<path of the zip, ending in .zip> -P cmake/WindowsZip.cmake
get_filename_component(name ${ZIP} NAME_WLE)
get_filename_component(where ${ZIP} DIRECTORY)
set(stage ${where}/${name}.stage)
file(REMOVE_RECURSE ${stage} ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage}/${name} --strip
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(NOT failed)
  execute_process(COMMAND zip -q -r -X ${ZIP} ${name} WORKING_DIRECTORY ${stage} RESULT_VARIABLE failed)
endif()
file(REMOVE_RECURSE ${stage})
if(failed)
  message(FATAL_ERROR "could not pack ${BUILD} as ${ZIP}")
endif()
