# fmt (shortest round-trip and fixed-digit formatting) and fast_float
# (parsing), both used header-only: the interface library
# velox_text_libraries.  Both are Debian's (libfmt-dev, libfast-float-dev).
# A cross build takes the same headers from the build machine, but sees only
# their two folders, through links in the build tree: the whole /usr/include
# would bring the build machine's C library headers in.

add_library(velox_text_libraries INTERFACE)
if(CMAKE_CROSSCOMPILING)
  find_path(VELOX_FMT_INCLUDE fmt/format.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_path(VELOX_FAST_FLOAT_INCLUDE fast_float/fast_float.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(folder ${CMAKE_BINARY_DIR}/text-libraries)
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${VELOX_FMT_INCLUDE}/fmt ${folder}/fmt SYMBOLIC)
  file(CREATE_LINK ${VELOX_FAST_FLOAT_INCLUDE}/fast_float ${folder}/fast_float SYMBOLIC)
  target_include_directories(velox_text_libraries SYSTEM INTERFACE ${folder})
  target_compile_definitions(velox_text_libraries INTERFACE FMT_HEADER_ONLY=1)
else()
  find_package(fmt 9 REQUIRED)
  find_package(FastFloat REQUIRED)
  target_link_libraries(velox_text_libraries INTERFACE fmt::fmt-header-only FastFloat::fast_float)
endif()
