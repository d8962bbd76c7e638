# Cross-compiles for 64-bit Windows with mingw-w64: the build that runs under Wine here.
set(VERBACAP_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
