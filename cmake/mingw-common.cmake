# Cross build for Windows with MinGW-w64, for the processor VITRUM_MINGW_ARCH,
# with MinGW's GCC or, when VITRUM_MINGW_CLANG is set, with clang against the
# same MinGW headers, libraries and linker. The library needs no more than a
# plain toolchain file (system name, compilers, find-root settings); what is
# added here is for clang on Debian.
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
  # libstdc++) beside GCC, where clang does not look: the newest GCC folder,
  # of the posix thread model where there is one.
  file(GLOB VITRUM_MINGW_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${VITRUM_MINGW_TRIPLE}/*-posix)
  if(NOT VITRUM_MINGW_GCC_DIRS)
    file(GLOB VITRUM_MINGW_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${VITRUM_MINGW_TRIPLE}/[0-9]*)
  endif()
  if(NOT VITRUM_MINGW_GCC_DIRS)
    message(FATAL_ERROR "MinGW-w64's GCC for ${VITRUM_MINGW_TRIPLE} is missing: no folder in /usr/lib/gcc/${VITRUM_MINGW_TRIPLE}")
  endif()
  list(SORT VITRUM_MINGW_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
  list(GET VITRUM_MINGW_GCC_DIRS 0 VITRUM_MINGW_GCC_DIR)
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
