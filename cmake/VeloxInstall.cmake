# Installation: one self-contained program folder, PREFIX/lib/velox, with
# velox, velox-batch and the exercise text Velox.rtf side by side (the
# program looks for Velox.rtf and the start-up file teszt02.gydat next to
# itself), links to both programs in PREFIX/bin, the desktop entry and the
# icon in the usual places under PREFIX/share.
#   cmake --install build --prefix /some/folder     (or make install PREFIX=...)

set(VELOX_PROGRAM_DIR lib/velox)

install(TARGETS velox-batch RUNTIME DESTINATION ${VELOX_PROGRAM_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/Velox.rtf DESTINATION ${VELOX_PROGRAM_DIR})
set(VELOX_LINKED_PROGRAMS velox-batch)

if(VELOX_BUILD_WINDOW)
  install(TARGETS velox RUNTIME DESTINATION ${VELOX_PROGRAM_DIR})
  list(APPEND VELOX_LINKED_PROGRAMS velox)

  install(FILES ${CMAKE_SOURCE_DIR}/resources/velox.svg
    DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/velox-${size}.png
      DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME velox.png)
  endforeach()

  # The desktop entry is written at install time, when the prefix is known
  # (cmake --install --prefix may differ from the configured one).
  install(CODE "
    set(VELOX_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/resources/velox.desktop\")
    set(VELOX_PROGRAM_DIR \"${VELOX_PROGRAM_DIR}\")
  ")
  install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/VeloxDesktopEntry.cmake)
endif()

# Relative links, so the installed tree can be moved as a whole.
foreach(program IN LISTS VELOX_LINKED_PROGRAMS)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\")
    message(STATUS \"Installing: \${link}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK \"../${VELOX_PROGRAM_DIR}/${program}\" \"\${link}\" SYMBOLIC)
  ")
endforeach()

if(VELOX_BUILD_TESTS)
  # Installs into a folder of the build tree (its name has a blank in it) and
  # runs what was installed.
  add_test(NAME Install.ProgramFolder
    COMMAND ${CMAKE_COMMAND}
      -DBUILD_DIR=${CMAKE_BINARY_DIR}
      -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
      -DWINDOW=${VELOX_BUILD_WINDOW}
      -P ${CMAKE_SOURCE_DIR}/tests/install/check_install.cmake)
  set_tests_properties(Install.ProgramFolder PROPERTIES TIMEOUT 120)
endif()
