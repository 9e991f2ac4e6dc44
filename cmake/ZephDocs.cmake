# `cmake --build BUILD --target docs` writes the zeph libraries' API documentation to BUILD/docs/html
# with Doxygen: the public headers and the pages under docs/. A warning fails the target.
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
  message(STATUS "Doxygen not found: no docs target (Debian package doxygen)")
  return()
endif()
get_property(zeph_libraries GLOBAL PROPERTY ZEPH_LIBRARIES)
set(ZEPH_DOCS_INPUT ${PROJECT_SOURCE_DIR}/docs)
foreach(library ${zeph_libraries})
  get_property(headers TARGET ${library} PROPERTY ZEPH_PUBLIC_HEADERS)
  list(APPEND ZEPH_DOCS_INPUT ${headers})
endforeach()
list(JOIN ZEPH_DOCS_INPUT " \\\n  " ZEPH_DOCS_INPUT)
set(ZEPH_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${PROJECT_BINARY_DIR}/docs/Doxyfile @ONLY)
add_custom_target(docs
  COMMAND ${DOXYGEN_EXECUTABLE} ${PROJECT_BINARY_DIR}/docs/Doxyfile
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "API documentation in ${PROJECT_BINARY_DIR}/docs/html"
  VERBATIM)
