# Builds the README's program in two projects that take Vitrum as a subproject,
# one with add_subdirectory and one with the README's FetchContent (from this
# clone's HEAD), each with a plain MinGW toolchain file of a user's own. Fails if
# either builds anything but the two libraries and the program, or sees a test.
# Variables: SOURCE (the source tree), SCRATCH (a folder of its own), ARCH (i686 or x86_64).
file(REMOVE_RECURSE ${SCRATCH})

# The text between MARKER's line and the end of the fenced block after it.
function(readme_block marker out)
  file(READ ${SOURCE}/README.md readme)
  string(FIND "${readme}" "<!-- ${marker} -->" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "README.md has no block marked '${marker}'")
  endif()
  string(SUBSTRING "${readme}" ${at} -1 readme)
  string(FIND "${readme}" "```" open)
  string(SUBSTRING "${readme}" ${open} -1 readme)
  string(FIND "${readme}" "\n" line_end)
  math(EXPR body "${line_end} + 1")
  string(SUBSTRING "${readme}" ${body} -1 readme)
  string(FIND "${readme}" "```" close)
  string(SUBSTRING "${readme}" 0 ${close} block)
  set(${out} "${block}" PARENT_SCOPE)
endfunction()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

# What another distribution or MSYS2 would give: names, compilers and where to look.
set(toolchain ${SCRATCH}/plain-mingw-${ARCH}.cmake)
file(WRITE ${toolchain} "set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ARCH}-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER ${ARCH}-w64-mingw32-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
")

readme_block("main.cpp" main_cpp)
readme_block("CMakeLists.txt, FetchContent" fetch_lists)
run(git -C ${SOURCE} rev-parse HEAD)
string(STRIP "${output}" head)
string(REPLACE [["$ENV{HOME}/vitrum"]] "${SOURCE}" fetch_lists "${fetch_lists}")
string(REPLACE "GIT_TAG main" "GIT_TAG ${head}" fetch_lists "${fetch_lists}")
readme_block("CMakeLists.txt" installed_lists)
string(REPLACE "find_package(Vitrum REQUIRED)" "add_subdirectory(${SOURCE} vitrum)" subdirectory_lists
  "${installed_lists}")

foreach(way subdirectory fetch)
  set(project ${SCRATCH}/${way})
  # A consumer with tests of its own enables testing, which would take in any
  # test of a subproject.
  if(NOT ${way}_lists MATCHES "enable_testing\\(\\)")
    string(REPLACE "project(mydemo CXX)\n" "project(mydemo CXX)\nenable_testing()\n" ${way}_lists "${${way}_lists}")
  endif()
  file(WRITE ${project}/CMakeLists.txt "${${way}_lists}")
  file(WRITE ${project}/main.cpp "${main_cpp}")
  run(${CMAKE_COMMAND} -S ${project} -B ${project}/build -G Ninja -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_TOOLCHAIN_FILE=${toolchain})
  string(TIMESTAMP started "%s")
  run(${CMAKE_COMMAND} --build ${project}/build)
  string(TIMESTAMP ended "%s")
  if(NOT EXISTS ${project}/build/mydemo.exe)
    message(FATAL_ERROR "${way}: mydemo.exe was not built")
  endif()

  # Every file that Ninja made, by its path in the build tree.
  file(STRINGS ${project}/build/.ninja_log made REGEX "^[0-9]")
  set(objects 0)
  set(others "")
  foreach(line ${made})
    string(REGEX REPLACE "^[^\t]*\t[^\t]*\t[^\t]*\t([^\t]*)\t.*$" "\\1" path "${line}")
    if(path MATCHES "CMakeFiles/(Vitrum|Vitrum_Ext1|mydemo)\\.dir/.*\\.obj$")
      math(EXPR objects "${objects} + 1")
    elseif(NOT path MATCHES "(^|/)(libVitrum\\.a|libVitrum_Ext1\\.a|mydemo\\.exe)$")
      list(APPEND others ${path})
    endif()
  endforeach()
  if(others)
    list(JOIN others "\n  " others)
    message(FATAL_ERROR "${way}: built more than the two libraries and the program:\n  ${others}")
  endif()

  run(${CMAKE_CTEST_COMMAND} --test-dir ${project}/build -N)
  if(NOT output MATCHES "Total Tests: 0")
    message(FATAL_ERROR "${way}: the consumer's ctest sees tests of Vitrum:\n${output}")
  endif()
  math(EXPR seconds "${ended} - ${started}")
  message(STATUS "${way}: ${objects} objects and the two libraries and the program, built in ${seconds} s")
endforeach()
