# `cpack -G DEB` in the build directory makes lullex_<version>_<arch>.deb from the install
# rules. Its library dependencies are computed by dpkg-shlibdeps from the program itself.
set(LULLEX_PACKAGE_MAINTAINER "Lullex maintainers <lullex@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lullex)
set(CPACK_PACKAGE_VENDOR "The Lullex authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "power off the computer when nobody uses it")
# CPack indents each line of the long description itself.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Lullex watches the keyboard and the mouse of the X11 desktop. When nobody\n"
  "has used them for a configured time it shows a countdown and then powers the\n"
  "computer off, reboots, halts, hibernates or suspends it through\n"
  "systemd-logind, unless Cancel is pressed. Two copies on two computers can be\n"
  "linked over UDP, so that an idle workstation also takes a second machine\n"
  "down with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LULLEX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Programs Lullex starts rather than links, which dpkg-shlibdeps cannot see: xdg-open opens
# the user guide and the log.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Directories as Debian's policy wants them, whatever the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
