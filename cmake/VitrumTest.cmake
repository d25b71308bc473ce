# vitrum_add_test(NAME name TARGET target [ARGS ...] [ANSWER Yes|No] [AFTER s] [KEYS ...]
#                 [DRAG x1 y1 x2 y2] [RIGHT_DRAG x1 y1 x2 y2] [SCREENSHOT file] [EXPECT picture]
#                 [TOLERANCE f] [STATUS n] [TIMEOUT s] [BLANK_OK] [NO_ESCAPE])
# A CTest test that runs the Windows program TARGET under Wine through vitrum-run
# (beside this file) and passes when every check of it holds; it is skipped where
# the program cannot run (a 32-bit program where 32-bit programs do not run).
# A relative SCREENSHOT is written in the build folder; a relative EXPECT is read
# from the source folder. Tests may run at once (ctest -j): each run takes a Wine
# session no other run holds.

# Found where the module was included from, for a package and a subproject alike;
# kept globally, since the including folder's variables do not reach the caller's.
set_property(GLOBAL PROPERTY VITRUM_RUNNER ${CMAKE_CURRENT_LIST_DIR}/vitrum-run)

function(vitrum_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "BLANK_OK;NO_ESCAPE"
    "NAME;TARGET;ANSWER;AFTER;SCREENSHOT;EXPECT;TOLERANCE;STATUS;TIMEOUT" "ARGS;KEYS;DRAG;RIGHT_DRAG")
  if(NOT arg_NAME OR NOT arg_TARGET)
    message(FATAL_ERROR "vitrum_add_test: NAME and TARGET are required")
  endif()
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vitrum_add_test(${arg_NAME}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  get_property(runner GLOBAL PROPERTY VITRUM_RUNNER)
  set(options)
  foreach(option ANSWER AFTER TOLERANCE STATUS TIMEOUT)
    if(DEFINED arg_${option})
      string(TOLOWER ${option} flag)
      list(APPEND options --${flag} ${arg_${option}})
    endif()
  endforeach()
  if(arg_KEYS)
    list(JOIN arg_KEYS " " keys)
    list(APPEND options --keys ${keys})
  endif()
  foreach(drag DRAG RIGHT_DRAG)
    if(DEFINED arg_${drag})
      list(LENGTH arg_${drag} count)
      if(NOT count EQUAL 4)
        message(FATAL_ERROR "vitrum_add_test(${arg_NAME}): ${drag} takes x1 y1 x2 y2")
      endif()
      string(TOLOWER ${drag} flag)
      string(REPLACE "_" "-" flag ${flag})
      list(APPEND options --${flag} ${arg_${drag}})
    endif()
  endforeach()
  if(arg_SCREENSHOT)
    cmake_path(ABSOLUTE_PATH arg_SCREENSHOT BASE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    list(APPEND options --screenshot ${arg_SCREENSHOT})
  endif()
  if(arg_EXPECT)
    cmake_path(ABSOLUTE_PATH arg_EXPECT BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND options --expect ${arg_EXPECT})
  endif()
  if(arg_BLANK_OK)
    list(APPEND options --blank-ok)
  endif()
  if(arg_NO_ESCAPE)
    list(APPEND options --no-escape)
  endif()
  # Through bash, so that the runner needs no executable bit after an unpacking.
  add_test(NAME ${arg_NAME} COMMAND bash ${runner} ${options} $<TARGET_FILE:${arg_TARGET}> ${arg_ARGS})
  # The window (twice with a question), the wait after it, Escape's 10 s and a
  # first Wine prefix (about 20 s).
  set(timeout 30)
  if(DEFINED arg_TIMEOUT)
    set(timeout ${arg_TIMEOUT})
  endif()
  set(after 2)
  if(DEFINED arg_AFTER)
    set(after ${arg_AFTER})
  endif()
  # Seconds may have a fraction; CMake's arithmetic takes whole numbers.
  string(REGEX REPLACE "\\.[0-9]*$" "" timeout "${timeout}")
  string(REGEX REPLACE "\\.[0-9]*$" "" after "${after}")
  math(EXPR limit "${timeout} * 2 + ${after} + 1 + 10 + 60")
  set_tests_properties(${arg_NAME} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${limit})
endfunction()
