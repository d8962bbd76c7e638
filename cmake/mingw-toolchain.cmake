# The mingw-w64 cross toolchain for the architecture in VERBACAP_MINGW_ARCH (i686 or x86_64),
# included by cmake/mingw-i686.cmake and cmake/mingw-x86_64.cmake.
#
# The third-party libraries of the Windows executable (libjpeg-turbo, litehtml, gumbo) are
# looked for in build/windeps/<arch>, where tools/build-windeps.sh installs them, and then in
# the toolchain's own root. Executables link the C and C++ runtimes statically, so that they
# import only the system's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VERBACAP_MINGW_ARCH})
set(CMAKE_C_COMPILER ${VERBACAP_MINGW_ARCH}-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER ${VERBACAP_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${VERBACAP_MINGW_ARCH}-w64-mingw32-windres)

get_filename_component(VERBACAP_WINDEPS_DIR
                       "${CMAKE_CURRENT_LIST_DIR}/../build/windeps/${VERBACAP_MINGW_ARCH}" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH ${VERBACAP_WINDEPS_DIR} /usr/${VERBACAP_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
