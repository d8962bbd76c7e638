# Cross-compiles for 32-bit Windows (the program's target) with mingw-w64.
set(VERBACAP_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
