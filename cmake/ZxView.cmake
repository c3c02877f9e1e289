# Copies the emulator preview launchers into zxview/ beside the editor, where
# the editor looks for them, so a build tree runs the preview like an install.
# Include after add_executable(chromaloom).

if(NOT TARGET chromaloom)
  message(FATAL_ERROR "ZxView.cmake needs the chromaloom target; include it after add_executable(chromaloom)")
endif()

set(CHROMALOOM_ZXVIEW_FILES
  ${PROJECT_SOURCE_DIR}/zxview/zxview-common.sh
  ${PROJECT_SOURCE_DIR}/zxview/fuse_programs.txt
  ${PROJECT_SOURCE_DIR}/zxview/view8x1.sh
  ${PROJECT_SOURCE_DIR}/zxview/view8x2.sh
  ${PROJECT_SOURCE_DIR}/zxview/view8x4.sh
  ${PROJECT_SOURCE_DIR}/zxview/view8x8.sh
)

# copy_if_different keeps the source's permission bits, so the launchers stay
# executable, and leaves unchanged copies alone.
add_custom_target(chromaloom_zxview ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:chromaloom>/zxview
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CHROMALOOM_ZXVIEW_FILES} $<TARGET_FILE_DIR:chromaloom>/zxview
  SOURCES ${CHROMALOOM_ZXVIEW_FILES}
  COMMENT "Copying the zxview launchers beside chromaloom"
  VERBATIM
)
add_dependencies(chromaloom chromaloom_zxview)
