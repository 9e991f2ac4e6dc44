# The zeph libraries: one per folder under src/zeph, every source in the folder and its subfolders
# belongs to it. Headers named *_p.h, and every header in a subfolder, are the library's own; the
# others are its interface and are installed as <zeph/FOLDER/NAME.h>. Static by default; BUILD_SHARED_LIBS=ON makes shared libraries that export
# only what their export macro (ZEPH_FOLDER_EXPORT) marks.
include(GenerateExportHeader)

set(ZEPH_GENERATED_INCLUDE_DIR ${PROJECT_BINARY_DIR}/include)

# zeph_library(FOLDER EXPORT_NAME [SOVERSION n] [DEPENDS targets...])
# SOVERSION, the major version of the shared library's binary interface, starts at the project's
# major version and is raised by the library whose interface changes incompatibly.
function(zeph_library folder export_name)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "SOVERSION" "DEPENDS")
  if(NOT arg_SOVERSION)
    set(arg_SOVERSION ${PROJECT_VERSION_MAJOR})
  endif()
  set(target zeph_${folder})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(VARACTOR_FUZZ)
    # Fuzz builds compile only what the fuzz targets link.
    add_library(${target} STATIC EXCLUDE_FROM_ALL ${sources})
  else()
    add_library(${target} ${sources})
  endif()
  add_library(Zeph::${export_name} ALIAS ${target})

  string(TOUPPER ${folder} upper)
  set(export_header ${ZEPH_GENERATED_INCLUDE_DIR}/zeph/${folder}/${folder}_export.h)
  generate_export_header(${target} BASE_NAME ZEPH_${upper} EXPORT_FILE_NAME ${export_header})
  target_sources(${target} PRIVATE ${export_header})

  set_target_properties(${target} PROPERTIES
    EXPORT_NAME ${export_name}
    OUTPUT_NAME zeph${folder}
    VERSION ${arg_SOVERSION}.${PROJECT_VERSION_MINOR}
    SOVERSION ${arg_SOVERSION}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    AUTOMOC ON)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>
    $<BUILD_INTERFACE:${ZEPH_GENERATED_INCLUDE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${target} PUBLIC ${arg_DEPENDS})
  if(BUILD_SHARED_LIBS)
    # A shared library names every library it needs: a symbol left to the program is an error.
    target_link_options(${target} PRIVATE LINKER:--no-undefined)
    # The libraries find each other in their own folder, wherever an installed tree is put.
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
  endif()

  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER headers EXCLUDE REGEX "_p\\.h$")
  set_property(TARGET ${target} PROPERTY ZEPH_PUBLIC_HEADERS ${headers} ${export_header})
  set_property(GLOBAL APPEND PROPERTY ZEPH_LIBRARIES ${target})
endfunction()
