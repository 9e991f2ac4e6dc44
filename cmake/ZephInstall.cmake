# What `cmake --install` lays out for developers who use the zeph libraries: the libraries, their
# public headers under include/zeph/, the CMake package ZephChart (targets Zeph::Toolkit,
# Zeph::Scales, Zeph::Chart, Zeph::Translation), the pkg-config file zephchart.pc and the examples'
# sources, each a CMake project of its own that builds against the install.
include(CMakePackageConfigHelpers)

set(zeph_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/ZephChart)
get_property(zeph_libraries GLOBAL PROPERTY ZEPH_LIBRARIES)

install(TARGETS ${zeph_libraries} EXPORT ZephChartTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT zeph_development
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT zeph_libraries
                NAMELINK_COMPONENT zeph_development
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT zeph_libraries)
foreach(library ${zeph_libraries})
  string(REGEX REPLACE "^zeph_" "" folder ${library})
  get_property(headers TARGET ${library} PROPERTY ZEPH_PUBLIC_HEADERS)
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zeph/${folder} COMPONENT zeph_development)
endforeach()

install(EXPORT ZephChartTargets NAMESPACE Zeph:: DESTINATION ${zeph_package_dir} COMPONENT zeph_development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/templates/ZephChartConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/package/ZephChartConfig.cmake
                              INSTALL_DESTINATION ${zeph_package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/ZephChartConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/ZephChartConfig.cmake
              ${PROJECT_BINARY_DIR}/package/ZephChartConfigVersion.cmake
        DESTINATION ${zeph_package_dir} COMPONENT zeph_development)

# pkg-config lists the libraries in link order, users before what they use.
# The file finds the prefix from its own place, so that a moved or DESTDIR install works too.
file(RELATIVE_PATH ZEPH_PC_PREFIX_FROM_PCDIR ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" ZEPH_PC_PREFIX_FROM_PCDIR "${ZEPH_PC_PREFIX_FROM_PCDIR}")
set(ZEPH_PC_LIBS "-lzephchart -lzephscales -lzephtranslation -lzephtoolkit")
configure_file(${PROJECT_SOURCE_DIR}/cmake/templates/zephchart.pc.in ${PROJECT_BINARY_DIR}/package/zephchart.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/zephchart.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT zeph_development)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zephchart/examples
        COMPONENT zeph_development)
