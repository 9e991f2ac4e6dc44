# `cmake --build BUILD --target docs` writes the zeph libraries' API documentation to BUILD/docs/html
# with Doxygen: the public headers and the pages under docs/. A warning fails the target. The
# generated export headers are left out: Doxygen reads their macros as empty (PREDEFINED).
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
  message(STATUS "Doxygen not found: no docs target (Debian package doxygen)")
  return()
endif()
# The pages in the order the documentation lists them; any other page under docs/ follows them.
set(zeph_docs_pages mainpage.md item-kinds.md layers-and-scales.md mouse-modes.md layer-joining.md
                    date-time-scales.md itl-files.md)
list(TRANSFORM zeph_docs_pages PREPEND ${PROJECT_SOURCE_DIR}/docs/)
file(GLOB zeph_docs_other CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md ${PROJECT_SOURCE_DIR}/docs/*.dox)
list(REMOVE_ITEM zeph_docs_other ${zeph_docs_pages})
set(ZEPH_DOCS_INPUT ${zeph_docs_pages} ${zeph_docs_other})
get_property(zeph_libraries GLOBAL PROPERTY ZEPH_LIBRARIES)
foreach(library ${zeph_libraries})
  get_property(headers TARGET ${library} PROPERTY ZEPH_PUBLIC_HEADERS)
  list(FILTER headers EXCLUDE REGEX "_export\\.h$")
  list(APPEND ZEPH_DOCS_INPUT ${headers})
endforeach()
list(JOIN ZEPH_DOCS_INPUT " \\\n  " ZEPH_DOCS_INPUT)
set(ZEPH_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${ZEPH_DOCS_OUTPUT}/Doxyfile @ONLY)
# The HTML is written afresh each time, so that no page of an earlier run stays behind.
add_custom_target(docs
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZEPH_DOCS_OUTPUT}/html
  COMMAND ${DOXYGEN_EXECUTABLE} ${ZEPH_DOCS_OUTPUT}/Doxyfile
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "API documentation in ${ZEPH_DOCS_OUTPUT}/html"
  VERBATIM)
