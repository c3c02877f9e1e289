# make package: a Debian package of the editor, the converter and their
# desktop files, installed under /usr. Its Depends come from the binaries
# (dpkg-shlibdeps); Qt's platform plugin is a package of its own that no
# binary links, so it is named here, as are Qt's translations (the file
# dialogs and message boxes in the user's language); the preview wants
# Fuse, which the editor does without.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chromaloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the chromaLoom developers")
set(CPACK_PACKAGE_CONTACT "the chromaLoom developers <chromaloom@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for ZX Spectrum Gigascreen and MultiGigaScreen pictures")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "chromaLoom draws ZX Spectrum pictures made of two screens shown on alternate
frames, with attribute cells 8 pixels wide and 8, 4, 2 or 1 lines high. It
reads and writes .scr, .img, Hobeta, .mg1 to .mg8 and its own .mgs, brings in
PNG, JPEG, GIF, BMP, WebP and TIFF images, and comes with chromaloom-convert
for scripts and file-manager thumbnails.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/chromaloom/chromaloom")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, libgl1-mesa-dri, fuse-emulator-sdl | fuse-emulator-gtk")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
