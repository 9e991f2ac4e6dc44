# The Debian binary package: `cpack -G DEB` in the build tree. It installs into /usr; its
# dependencies come from the program's shared libraries (dpkg-shlibdeps).

# Packing needs only what is installed, which the caller has built: not every test and benchmark.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(package_doc ${CMAKE_INSTALL_DATADIR}/doc/varactor)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.Debian ${CMAKE_BINARY_DIR}/packaging/changelog.Debian COPYONLY)
execute_process(COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/packaging/changelog.Debian
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${package_doc} COMPONENT varactor)

set(CPACK_GENERATOR DEB)
# The package holds the program and, in a shared build, the libraries it runs on; the libraries'
# headers and CMake files are for developers and stay out of it.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};varactor;varactor;/;${CMAKE_BINARY_DIR};varactor;zeph_libraries;/")
set(CPACK_PACKAGE_NAME varactor)
set(CPACK_PACKAGE_VENDOR "The Varactor developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Varactor maintainers <maintainers@users.noreply.c-seed-3349625f.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive simulation of a varactor diode's capacitance curve")
set(CPACK_PACKAGE_DESCRIPTION
    "A teaching simulation: one slider grades the doping profile of a varactor\n"
    "diode from hyperabrupt through abrupt to linear, and two charts follow it at\n"
    "once, the impurity concentration over the depth and the junction capacitance\n"
    "over the reverse voltage. It runs on its own or under a host e-learning\n"
    "server, in English or German, and draws its charts into images or PDF\n"
    "handouts from the command line.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/varactor/")
# Without them the window's texts would stand in fonts of other widths than it was designed for.
# The sound player S plays a curve through: the first of these the machine has.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation2, fonts-dejavu-core, pulseaudio-utils | pipewire-bin | alsa-utils | sox")
include(CPack)
