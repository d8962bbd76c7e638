# The program's own layers: one static library from the folders app, ui, capture, list,
# imaging and menu. The entry point of each executable lives outside it.
set(VERBACAP_PROGRAM_DIRS app ui capture list imaging menu)

set(VERBACAP_PROGRAM_SOURCES)
foreach(dir IN LISTS VERBACAP_PROGRAM_DIRS)
  file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(APPEND VERBACAP_PROGRAM_SOURCES ${dir_sources})
endforeach()

add_library(verbacap_program STATIC ${VERBACAP_PROGRAM_SOURCES})
target_include_directories(verbacap_program PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(verbacap_program PUBLIC verbacap_framework verbacap_platform)
if(VERBACAP_TARGET_WINDOWS)
  # The cross toolchain ships no libjpeg: link one when a mingw build of it is installed.
  find_package(JPEG)
else()
  find_package(JPEG REQUIRED)
endif()
if(JPEG_FOUND)
  target_link_libraries(verbacap_program PUBLIC JPEG::JPEG)
elseif(VERBACAP_TARGET_WINDOWS)
  # Without a mingw libjpeg the library is only compiled, not linked: give the compile the
  # host's libjpeg headers (the interface is the same on both), with jconfig.h saying what a
  # Windows build of the library says: `boolean` is the platform's unsigned char.
  set(jpeg_include ${CMAKE_BINARY_DIR}/jpeg-include)
  foreach(header jpeglib.h jmorecfg.h jerror.h jconfig.h)
    find_file(jpeg_header_${header} ${header} PATHS /usr/include /usr/include/x86_64-linux-gnu
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    configure_file(${jpeg_header_${header}} ${jpeg_include}/${header} COPYONLY)
  endforeach()
  file(READ ${jpeg_header_jconfig.h} jconfig)
  string(APPEND jconfig "\n#ifndef __RPCNDR_H__\ntypedef unsigned char boolean;\n#endif\n"
                        "#define HAVE_BOOLEAN\n")
  file(CONFIGURE OUTPUT ${jpeg_include}/jconfig.h CONTENT "${jconfig}" @ONLY)
  target_include_directories(verbacap_program PUBLIC ${jpeg_include})
endif()
