# Installs the built library into a scratch prefix and builds examples/ on its own
# against it with find_package(Vitrum) and the installed toolchain file, as another
# project would.
# Variables: BUILD (the build tree), SOURCE (the source tree), TOOLCHAIN (its file name).
set(scratch ${BUILD}/package_consumer)
file(REMOVE_RECURSE ${scratch})
foreach(step
    "${CMAKE_COMMAND};--install;${BUILD};--prefix;${scratch}/install"
    "${CMAKE_COMMAND};-S;${SOURCE}/examples;-B;${scratch}/build;-DCMAKE_TOOLCHAIN_FILE=${scratch}/install/lib/cmake/Vitrum/${TOOLCHAIN};-DCMAKE_PREFIX_PATH=${scratch}/install"
    "${CMAKE_COMMAND};--build;${scratch}/build")
  execute_process(COMMAND ${step} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed: ${step}")
  endif()
endforeach()
if(NOT EXISTS ${scratch}/build/fps_title.exe)
  message(FATAL_ERROR "the example was not built")
endif()
