# The program's own libraries (platform, host, app): static, one per folder under src/, every
# source in the folder belongs to it. varactor_library(FOLDER DEPENDENCIES...)
function(varactor_library folder)
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*/*.h)
  if(VARACTOR_FUZZ)
    # Fuzz builds compile only what the fuzz targets link.
    add_library(varactor_${folder} STATIC EXCLUDE_FROM_ALL ${sources})
  else()
    add_library(varactor_${folder} STATIC ${sources})
  endif()
  target_include_directories(varactor_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(varactor_${folder} PUBLIC ${ARGN})
endfunction()
