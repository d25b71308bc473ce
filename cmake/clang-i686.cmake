# Cross build for 32-bit Windows with clang and MinGW-w64.
set(VITRUM_MINGW_ARCH i686)
set(VITRUM_MINGW_CLANG ON)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
