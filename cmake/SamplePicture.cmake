# The sample picture of Help > Open Sample Picture: drawn at build time by our
# own generator (data/sample/) and written beside the editor, where a build
# tree finds it; installed to share/chromaloom. Include after
# add_executable(chromaloom), from the folder the editor is built in.

add_executable(chromaloom_sample_picture ${PROJECT_SOURCE_DIR}/data/sample/sample_picture.cpp)
target_link_libraries(chromaloom_sample_picture PRIVATE chromaloom_convert chromaloom_formats)

set(CHROMALOOM_SAMPLE ${CMAKE_CURRENT_BINARY_DIR}/sample.mgs)
add_custom_command(
  OUTPUT ${CHROMALOOM_SAMPLE}
  COMMAND chromaloom_sample_picture ${CHROMALOOM_SAMPLE}
  DEPENDS chromaloom_sample_picture
  COMMENT "Drawing the sample picture"
  VERBATIM)
add_custom_target(chromaloom_sample ALL DEPENDS ${CHROMALOOM_SAMPLE})
add_dependencies(chromaloom chromaloom_sample)
set(CHROMALOOM_SAMPLE ${CHROMALOOM_SAMPLE} PARENT_SCOPE)
