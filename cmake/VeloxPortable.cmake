# The two further targets of `make portable`: WebAssembly (Debian's
# emscripten, run under node) and 64-bit ARM Linux (Debian's cross compiler,
# static, run under qemu-user; cmake/aarch64-linux-gnu.cmake).  Only the model,
# velox-batch, the model tests and the step timer are built there.  Included
# before any target, so that the options reach all of them.

if(EMSCRIPTEN AND NOT VELOX_BUILD_WEB)
  # Exceptions are caught (the model and GoogleTest rely on it), files are
  # the real ones of the machine (NODERAWFS), the runtime exits with main so
  # node ends with its exit code, and the memory grows as needed.
  add_compile_options(-fexceptions)
  add_link_options(-fexceptions -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
endif()

# GoogleTest from its sources, as Debian's googletest package has them, where
# no GoogleTest for the target is installed.
set(VELOX_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build with the project (/usr/src/googletest)")
if(VELOX_BUILD_TESTS AND VELOX_GTEST_SOURCE_DIR)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # It names its targets GTest::gtest and GTest::gtest_main, as find_package does.
  add_subdirectory(${VELOX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Its own code, without the project's warnings.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  # Its streaming of results to a socket looks names up, which in a static
  # link draws glibc's warning that the lookup needs glibc's shared libraries
  # at run time; the tests never stream, so the linker is kept quiet there.
  if(CMAKE_CROSSCOMPILING AND NOT EMSCRIPTEN)
    target_link_options(gtest INTERFACE -Wl,--no-warnings)
  endif()
endif()
