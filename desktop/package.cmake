# `make deb`: a Debian package of what `make install` installs (desktop/CMakeLists.txt), under
# /usr. Its Depends line is worked out from the programs' linked libraries (dpkg-shlibdeps, from
# dpkg-dev, which reads them with `file`). The menu entry's and icons' caches are Debian's own
# business: its desktop-file-utils and hicolor-icon-theme packages refresh them when a package
# adds files to their folders.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quiltane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make body-skin textures from stamps, masks and bare bodies")
set(CPACK_PACKAGE_DESCRIPTION
    "Quiltane makes 256 x 256 BMP body-skin textures for a life-simulation game: it copies\n\
garment regions between a source and a destination skin with stamps, cuts a garment out\n\
with a mask and fills the rest with a bare body, and paints accessories. quiltane is the\n\
window, quiltane-cli runs the same stamps without one.")
# The Maintainer field: whoever publishes the package puts a name and an address here.
set(CPACK_PACKAGE_CONTACT "The Quiltane developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Only the one install component every rule belongs to: an install of it writes
# install_manifest_quiltane.txt, never the install_manifest.txt that make uninstall reads.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};${CMAKE_INSTALL_DEFAULT_COMPONENT_NAME};/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # quiltane_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The About box's "System Info" starts a program inside the Wine prefix.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS wine)
include(CPack)
