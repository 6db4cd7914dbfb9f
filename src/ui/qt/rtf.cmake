# Rich text for the exercise viewer.  Include from the top-level CMakeLists
# after the velox_model target exists:
#
#   include(src/ui/qt/rtf.cmake)
#   target_link_libraries(<window target> PRIVATE velox_rtf_qt)
#   velox_copy_task_text(<window target>)   # puts Velox.rtf next to the program

find_package(Qt6 REQUIRED COMPONENTS Gui)

add_library(velox_rtf_qt STATIC ${CMAKE_CURRENT_LIST_DIR}/RtfDocument.cpp)
target_link_libraries(velox_rtf_qt PUBLIC velox_model Qt6::Gui)

set(VELOX_TASK_TEXT ${CMAKE_SOURCE_DIR}/resources/Velox.rtf)

function(velox_copy_task_text target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VELOX_TASK_TEXT} $<TARGET_FILE_DIR:${target}>/Velox.rtf
    VERBATIM)
endfunction()

if(VELOX_BUILD_TESTS)
  add_executable(velox_rtf_qt_tests ${CMAKE_SOURCE_DIR}/tests/qt/rtf_document_test.cpp)
  target_link_libraries(velox_rtf_qt_tests PRIVATE velox_rtf_qt GTest::gtest GTest::gtest_main)
  gtest_discover_tests(velox_rtf_qt_tests DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
