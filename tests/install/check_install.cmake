# Installs the build tree into a scratch prefix and checks what arrives:
# the program folder, the links in bin, the desktop entry and the icons,
# and that the installed programs run.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWINDOW=ON|OFF -P check_install.cmake

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

function(expect_file path)
  if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
    fail("missing after installation: ${path}")
  endif()
endfunction()

function(expect_same_content installed original)
  expect_file("${installed}")
  file(SHA256 "${installed}" a)
  file(SHA256 "${original}" b)
  if(NOT a STREQUAL b)
    fail("${installed} differs from ${original}")
  endif()
endfunction()

# Width and height of a PNG from its header.
function(png_size path out)
  file(READ "${path}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 magic)
  if(NOT magic STREQUAL "89504e470d0a1a0a")
    fail("${path} is not a PNG")
  endif()
  string(SUBSTRING "${header}" 32 8 w)
  string(SUBSTRING "${header}" 40 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  set(${out} "${w}x${h}" PARENT_SCOPE)
endfunction()

# The scratch root has a blank in its name: the program folder and the
# desktop entry must cope with that.
set(scratch "${BUILD_DIR}/install test")
set(prefix "${scratch}/prefix")
set(programs "${prefix}/lib/velox")
file(REMOVE_RECURSE "${scratch}")
file(MAKE_DIRECTORY "${scratch}/work")

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  fail("cmake --install failed (${rc}):\n${out}")
endif()

# The program folder: the programs and the exercise text side by side.
set(expected velox-batch Velox.rtf)
if(WINDOW)
  list(APPEND expected velox)
endif()
file(GLOB present RELATIVE "${programs}" "${programs}/*")
list(SORT present)
list(SORT expected)
if(NOT present STREQUAL expected)
  fail("the program folder holds \"${present}\", expected \"${expected}\"")
endif()
expect_same_content("${programs}/Velox.rtf" "${SOURCE_DIR}/resources/Velox.rtf")

# bin holds relative links to the programs.
foreach(program IN LISTS expected)
  if(program STREQUAL "Velox.rtf")
    continue()
  endif()
  set(link "${prefix}/bin/${program}")
  if(NOT IS_SYMLINK "${link}")
    fail("${link} is not a link")
  endif()
  file(READ_SYMLINK "${link}" target)
  if(NOT target STREQUAL "../lib/velox/${program}")
    fail("${link} points at ${target}")
  endif()
  file(REAL_PATH "${link}" resolved)
  file(REAL_PATH "${programs}/${program}" real)
  if(NOT resolved STREQUAL real)
    fail("${link} resolves to ${resolved}")
  endif()
endforeach()

# The installed velox-batch, started through its link from another working
# folder: the timed run's files land in the working folder.
execute_process(COMMAND "${prefix}/bin/velox-batch" --speed 5
  WORKING_DIRECTORY "${scratch}/work"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc EQUAL 0)
  fail("the installed velox-batch failed (${rc}):\n${out}${err}")
endif()
if(NOT out MATCHES "VELOX_2013")
  fail("velox-batch printed no summary:\n${out}")
endif()
expect_file("${scratch}/work/VELOX_2013.gydat")
expect_file("${scratch}/work/VELOX_2013.edat")
file(SIZE "${scratch}/work/VELOX_2013.edat" records)
math(EXPR rest "${records} % 8")
if(records EQUAL 0 OR NOT rest EQUAL 0)
  fail("VELOX_2013.edat has ${records} bytes")
endif()
# and reads the set-up it wrote back in.
execute_process(COMMAND "${programs}/velox-batch" --setup "${scratch}/work/VELOX_2013.gydat" --out "${scratch}/again"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc EQUAL 0)
  fail("velox-batch --setup of its own output failed (${rc}):\n${out}${err}")
endif()
expect_same_content("${scratch}/again/VELOX_2013.gydat" "${scratch}/work/VELOX_2013.gydat")

if(NOT WINDOW)
  return()
endif()

# Icons: the drawing and its PNG renderings in the hicolor theme.
set(icons "${prefix}/share/icons/hicolor")
expect_same_content("${icons}/scalable/apps/velox.svg" "${SOURCE_DIR}/resources/velox.svg")
foreach(size 16 32 48 128 256)
  set(png "${icons}/${size}x${size}/apps/velox.png")
  expect_file("${png}")
  png_size("${png}" got)
  if(NOT got STREQUAL "${size}x${size}")
    fail("${png} is ${got}")
  endif()
endforeach()

# The desktop entry starts the installed program by its full path, quoted
# because of the blank.
set(desktop "${prefix}/share/applications/velox.desktop")
expect_file("${desktop}")
file(STRINGS "${desktop}" lines ENCODING UTF-8)
foreach(want
    "Exec=\"${programs}/velox\""
    "TryExec=${programs}/velox"
    "Icon=${icons}/128x128/apps/velox.png"
    "Type=Application"
    "Name=Velox lineáris gyorsító"
    "Categories=Education;Science;Physics;")
  list(FIND lines "${want}" at)
  if(at EQUAL -1)
    fail("${desktop} lacks the line ${want}:\n${lines}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${desktop}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR out MATCHES "error:")
    fail("desktop-file-validate:\n${out}")
  endif()
endif()

# The installed window program starts and keeps running; it is ended by the
# time limit.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${prefix}/bin/velox"
  WORKING_DIRECTORY "${scratch}/work"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 4)
if(NOT rc MATCHES "timeout")
  fail("the installed velox ended by itself (${rc}):\n${out}${err}")
endif()
