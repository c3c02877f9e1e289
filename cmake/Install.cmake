# Install layout. The editor lives in lib/chromaloom with its zxview folder
# beside it, because the emulator preview writes into that folder; bin only
# holds a symlink to it. Include from the top-level CMakeLists.txt once the
# chromaloom and chromaloom-convert targets exist.

set(CHROMALOOM_INSTALL_LIBDIR lib/chromaloom)

install(TARGETS chromaloom RUNTIME DESTINATION ${CHROMALOOM_INSTALL_LIBDIR})
install(TARGETS chromaloom-convert RUNTIME DESTINATION bin)

# Only the launchers are executable; zxview-common.sh is sourced by them and
# reads fuse_programs.txt.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/zxview/
  DESTINATION ${CHROMALOOM_INSTALL_LIBDIR}/zxview
  FILES_MATCHING
  PATTERN "*.sh"
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  PATTERN "fuse_programs.txt"
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  PATTERN "view*.sh"
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
)

# Relative, so the link survives DESTDIR staging and a moved prefix.
install(CODE "set(chromaloom_link_target ../${CHROMALOOM_INSTALL_LIBDIR}/chromaloom)")
install(CODE [[
  set(link "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/chromaloom")
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  message(STATUS "Installing: ${link} -> ${chromaloom_link_target}")
  file(CREATE_LINK "${chromaloom_link_target}" "${link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/bin/chromaloom")
]])

# The editor finds it at ../../share/chromaloom from its own folder.
install(FILES ${CHROMALOOM_SAMPLE} DESTINATION share/chromaloom)
install(FILES ${CHROMALOOM_QM_FILES} DESTINATION share/chromaloom/translations)
install(FILES ${PROJECT_SOURCE_DIR}/data/chromaloom.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/chromaloom.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/chromaloom-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME chromaloom.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/chromaloom.xml DESTINATION share/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/data/chromaloom.thumbnailer DESTINATION share/thumbnailers)
install(FILES ${PROJECT_SOURCE_DIR}/data/io.github.chromaloom.chromaloom.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION share/doc/chromaloom)
