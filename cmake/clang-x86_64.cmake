# Cross build for 64-bit Windows with clang and MinGW-w64.
set(VITRUM_MINGW_ARCH x86_64)
set(VITRUM_MINGW_CLANG ON)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
