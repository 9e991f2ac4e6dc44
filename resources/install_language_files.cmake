# Copies the shipped language files into a data folder under the names --language knows them by.
file(MAKE_DIRECTORY ${DST})
configure_file(${SRC}/english.itl ${DST}/english.itl COPYONLY)
configure_file(${SRC}/lggerman.itl ${DST}/german.itl COPYONLY)
