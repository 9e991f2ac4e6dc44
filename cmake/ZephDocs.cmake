# `cmake --build BUILD --target docs` writes the zeph libraries' API documentation to BUILD/docs/html
# with Doxygen: the public headers and the pages under docs/. A warning fails the target. The
# generated export headers are left out: Doxygen reads their macros as empty (PREDEFINED).
# With ZEPH_DOCS the build also writes it whenever a header or page changed (a warning is shown
# there, not fatal), and `cmake --install` lays it out in share/doc/zephchart/html with the
# development files.
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
  message(STATUS "Doxygen not found: no docs target and no installed documentation (Debian package doxygen)")
  return()
endif()
set(zeph_docs_default OFF)
if(ZEPH_INSTALL AND NOT VARACTOR_SANITIZE)
  set(zeph_docs_default ON)
endif()
option(ZEPH_DOCS "Build the API documentation with the libraries and install it" ${zeph_docs_default})
# The pages in the order the documentation lists them; any other page under docs/ follows them.
set(zeph_docs_pages mainpage.md qt-developers.md item-kinds.md layers-and-scales.md two-y-axes.md
                    mouse-modes.md layer-joining.md date-time-scales.md export.md itl-files.md)
list(TRANSFORM zeph_docs_pages PREPEND ${PROJECT_SOURCE_DIR}/docs/)
file(GLOB zeph_docs_other CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md ${PROJECT_SOURCE_DIR}/docs/*.dox)
list(REMOVE_ITEM zeph_docs_other ${zeph_docs_pages})
set(ZEPH_DOCS_INPUT ${zeph_docs_pages} ${zeph_docs_other})
# Installed headers that hold only the libraries' building blocks, which applications never use:
# not documented, so the class list shows what an application works with.
set(zeph_docs_internal_headers linerasterizer.h scalemap.h scaleengine.h)
list(JOIN zeph_docs_internal_headers "|" zeph_docs_internal_regex)
string(REPLACE "." "\\." zeph_docs_internal_regex "${zeph_docs_internal_regex}")
get_property(zeph_libraries GLOBAL PROPERTY ZEPH_LIBRARIES)
foreach(library ${zeph_libraries})
  get_property(headers TARGET ${library} PROPERTY ZEPH_PUBLIC_HEADERS)
  list(FILTER headers EXCLUDE REGEX "_export\\.h$")
  list(FILTER headers EXCLUDE REGEX "/(${zeph_docs_internal_regex})$")
  list(APPEND ZEPH_DOCS_INPUT ${headers})
endforeach()
set(zeph_docs_depends ${ZEPH_DOCS_INPUT} ${PROJECT_SOURCE_DIR}/docs/Doxyfile.in
                      ${PROJECT_SOURCE_DIR}/cmake/ZephDocsLenient.cmake)
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

if(ZEPH_DOCS)
  # Rebuilt only when an input changed; a stamp marks a finished run, so a failed one runs again.
  set(zeph_docs_stamp ${ZEPH_DOCS_OUTPUT}/html.stamp)
  add_custom_command(OUTPUT ${zeph_docs_stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZEPH_DOCS_OUTPUT}/html
    COMMAND ${CMAKE_COMMAND} -DDOXYGEN=${DOXYGEN_EXECUTABLE} -DDOXYFILE=${ZEPH_DOCS_OUTPUT}/Doxyfile
            -P ${PROJECT_SOURCE_DIR}/cmake/ZephDocsLenient.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${zeph_docs_stamp}
    DEPENDS ${zeph_docs_depends}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "API documentation for the install in ${ZEPH_DOCS_OUTPUT}/html"
    VERBATIM)
  add_custom_target(zeph_docs_html ALL DEPENDS ${zeph_docs_stamp})
  # OPTIONAL: a tree built only in part (some targets) still installs its libraries.
  install(DIRECTORY ${ZEPH_DOCS_OUTPUT}/html/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zephchart/html
          COMPONENT zeph_development OPTIONAL)
endif()
