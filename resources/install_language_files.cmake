# Copies the shipped language files beside the program: English as the default dictionary
# (varactor.itl), German next to it.
if(EXISTS ${SRC}/english.itl)
  configure_file(${SRC}/english.itl ${DST}/varactor.itl COPYONLY)
  configure_file(${SRC}/english.itl ${DST}/english.itl COPYONLY)
endif()
if(EXISTS ${SRC}/lggerman.itl)
  configure_file(${SRC}/lggerman.itl ${DST}/lggerman.itl COPYONLY)
endif()
