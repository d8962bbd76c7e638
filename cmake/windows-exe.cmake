# The Windows executable Verbacap.exe, at the top of the build folder: the program's library
# whole (its application object registers itself when constructed, so nothing refers to it by
# name), the framework with its WinMain, the browser control, the compiled resources, and the
# third-party libraries that tools/build-windeps.sh cross-builds into build/windeps/<arch>.
# Without those libraries the layers are only compiled, and the build says so.
find_package(litehtml CONFIG QUIET)
if(NOT JPEG_FOUND OR NOT TARGET litehtml OR NOT TARGET gumbo)
  message(STATUS "Verbacap.exe is not linked: run tools/build-windeps.sh "
                 "${CMAKE_SYSTEM_PROCESSOR} first (it installs libjpeg-turbo and litehtml "
                 "into ${VERBACAP_WINDEPS_DIR})")
  return()
endif()

# The browser control compiles against the headers of the very litehtml and gumbo it links.
get_target_property(litehtml_include litehtml INTERFACE_INCLUDE_DIRECTORIES)
target_include_directories(verbacap_htmlview BEFORE PRIVATE ${litehtml_include}
                                                            ${litehtml_include}/litehtml)
target_link_libraries(verbacap_htmlview PRIVATE litehtml gumbo)

add_executable(Verbacap WIN32 ${CMAKE_SOURCE_DIR}/framework/entry/WinMain.cpp)
target_link_libraries(
  Verbacap PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,verbacap_program>" verbacap_framework
                   verbacap_htmlview verbacap_resources litehtml gumbo JPEG::JPEG
                   comctl32 comdlg32 shlwapi winmm ole32 oleaut32 uuid gdi32 user32 kernel32)
set_target_properties(Verbacap PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
