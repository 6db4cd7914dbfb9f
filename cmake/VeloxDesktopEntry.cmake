# Install-time part of the installation: writes the desktop entry from
# resources/velox.desktop with Exec and TryExec pointing at the installed
# program.  Set by the caller: VELOX_DESKTOP_TEMPLATE, VELOX_PROGRAM_DIR.

set(program "${CMAKE_INSTALL_PREFIX}/${VELOX_PROGRAM_DIR}/velox")

# Exec is a command line: a path with blanks or other reserved characters
# goes in double quotes, inside which " ` $ and \ take a backslash.  Every
# value is then a string in which \ is written \\, and in Exec % is %%.
set(exec "${program}")
if(exec MATCHES "[^A-Za-z0-9/._+,=@:-]")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "\$" "\\\$" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\\" "\\\\" tryexec "${program}")

# Under /usr and /usr/local the icon theme finds the icon by name; anywhere
# else the entry names the file.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" OR CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
  set(icon velox)
else()
  string(REPLACE "\\" "\\\\" icon "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/128x128/apps/velox.png")
endif()

file(READ "${VELOX_DESKTOP_TEMPLATE}" entry)
string(REPLACE "@EXEC@" "${exec}" entry "${entry}")
string(REPLACE "@TRYEXEC@" "${tryexec}" entry "${entry}")
string(REPLACE "@ICON@" "${icon}" entry "${entry}")
if(entry MATCHES "@[A-Z]+@")
  message(FATAL_ERROR "velox.desktop: unknown placeholder ${CMAKE_MATCH_0}")
endif()

set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications")
message(STATUS "Installing: ${folder}/velox.desktop")
file(MAKE_DIRECTORY "${folder}")
file(WRITE "${folder}/velox.desktop" "${entry}")
