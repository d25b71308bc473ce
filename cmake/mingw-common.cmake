# Cross build for Windows with MinGW-w64, for the processor VITRUM_MINGW_ARCH,
# with MinGW's GCC or, when VITRUM_MINGW_CLANG is set, with clang against the
# same MinGW headers, libraries and linker.
set(VITRUM_MINGW_TRIPLE ${VITRUM_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VITRUM_MINGW_ARCH})
if(VITRUM_MINGW_CLANG)
  set(CMAKE_C_COMPILER clang)
  set(CMAKE_CXX_COMPILER clang++)
  set(CMAKE_C_COMPILER_TARGET ${VITRUM_MINGW_TRIPLE})
  set(CMAKE_CXX_COMPILER_TARGET ${VITRUM_MINGW_TRIPLE})
  set(CMAKE_SYSROOT /usr/${VITRUM_MINGW_TRIPLE})
  # Debian keeps MinGW's libstdc++ headers and GCC's own libraries (libgcc,
  # libstdc++) beside GCC, where clang does not look.
  set(VITRUM_MINGW_GCC_DIR /usr/lib/gcc/${VITRUM_MINGW_TRIPLE}/12-posix)
  set(CMAKE_CXX_FLAGS_INIT "-isystem ${VITRUM_MINGW_GCC_DIR}/include/c++ -isystem ${VITRUM_MINGW_GCC_DIR}/include/c++/${VITRUM_MINGW_TRIPLE}")
  # GCC's posix thread model links winpthread on its own; clang needs -pthread.
  # The MinGW linker then warns "duplicate section ... has different size" for
  # the type names of libstdc++'s exceptions, which clang and GCC emit with
  # different padding: the names are equal and either copy serves.
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${VITRUM_MINGW_GCC_DIR} -pthread")
  set(CMAKE_SHARED_LINKER_FLAGS_INIT "${CMAKE_EXE_LINKER_FLAGS_INIT}")
  set(CMAKE_AR ${VITRUM_MINGW_TRIPLE}-ar)
  set(CMAKE_RANLIB ${VITRUM_MINGW_TRIPLE}-ranlib)
else()
  # The posix thread-model compilers: GoogleTest needs std::mutex.
  set(CMAKE_C_COMPILER ${VITRUM_MINGW_TRIPLE}-gcc-posix)
  set(CMAKE_CXX_COMPILER ${VITRUM_MINGW_TRIPLE}-g++-posix)
endif()
set(CMAKE_RC_COMPILER ${VITRUM_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VITRUM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The project's test programs run under Wine; an installed copy of this file,
# which another project uses, has no tests beside it.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/../tests/support/wine-run)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/support/wine-run)
endif()
