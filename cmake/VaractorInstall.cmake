# What `cmake --install` lays out, following GNUInstallDirs and the XDG directories: the program,
# the languages it reads, its man page, desktop entry, AppStream metainfo and icons. The program
# finds its data relative to its own folder, so any prefix or DESTDIR works without the build tree.

set(resources ${PROJECT_SOURCE_DIR}/resources)

# With shared zeph libraries the installed program finds them from its own folder, wherever the
# tree is put.
if(BUILD_SHARED_LIBS)
  file(RELATIVE_PATH libdir_from_bin ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(varactor PROPERTIES INSTALL_RPATH "$ORIGIN/${libdir_from_bin}")
endif()
install(TARGETS varactor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT varactor)

install(FILES ${resources}/english.itl DESTINATION ${VARACTOR_DATA_DIR} COMPONENT varactor)
install(FILES ${resources}/lggerman.itl DESTINATION ${VARACTOR_DATA_DIR} RENAME german.itl COMPONENT varactor)

# Manual pages are installed compressed, without a time stamp, so packages are reproducible.
configure_file(${resources}/varactor.1.in ${CMAKE_BINARY_DIR}/man/varactor.1 @ONLY)
execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/man/varactor.1
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/man/varactor.1.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_BINARY_DIR}/man/varactor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT varactor)

install(FILES ${resources}/desktop/${VARACTOR_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT varactor)
install(FILES ${resources}/desktop/${VARACTOR_DESKTOP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT varactor)
install(DIRECTORY ${resources}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons COMPONENT varactor)
