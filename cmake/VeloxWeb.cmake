# The page: the application layer with its web face (src/ui/web) as one WebAssembly
# module without threads, and the folder of static files around it: the
# page, its script and style (web/), the module and the exercise text.
set(VELOX_SITE_DIR ${CMAKE_BINARY_DIR}/site)
add_executable(velox_web src/ui/web/WebFace.cpp src/ui/web/WebCanvas.cpp src/ui/web/Bindings.cpp)
target_link_libraries(velox_web PRIVATE velox_app)
# A factory function VeloxModule() that the page calls; the memory grows
# with the results.
target_link_options(velox_web PRIVATE --bind -sMODULARIZE=1 -sEXPORT_NAME=VeloxModule -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1 -sFILESYSTEM=0 -sDYNAMIC_EXECUTION=0 -sEXPORTED_FUNCTIONS=_malloc,_free)
set_target_properties(velox_web PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELOX_SITE_DIR})
file(GLOB VELOX_WEB_STATIC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/*.html ${CMAKE_SOURCE_DIR}/web/*.js
  ${CMAKE_SOURCE_DIR}/web/*.css)
# Copied on every build, so that a change of the page alone reaches the site.
add_custom_target(velox_site ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VELOX_WEB_STATIC} ${CMAKE_SOURCE_DIR}/resources/Velox.rtf
    ${VELOX_SITE_DIR}
  DEPENDS velox_web
  VERBATIM)
