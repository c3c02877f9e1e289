# The interface's translations: translations/chromaloom_<language>.ts, kept
# in the repository and filled by hand, compiled by lrelease into .qm files
# in translations/ beside the editor, where a build tree finds them; an
# install puts them in share/chromaloom/translations. Include after
# add_executable(chromaloom).
#
# cmake --build build --target chromaloom_lupdate brings the .ts files up to
# date with the sources: new texts arrive unfinished, texts no longer in the
# sources are marked vanished.

find_package(Qt6 6.4 REQUIRED COMPONENTS LinguistTools)

set(CHROMALOOM_TS_FILES ${PROJECT_SOURCE_DIR}/translations/chromaloom_ru.ts)
set(CHROMALOOM_QM_FILES)
foreach(ts ${CHROMALOOM_TS_FILES})
  get_filename_component(name ${ts} NAME_WE)
  set(qm ${CMAKE_CURRENT_BINARY_DIR}/translations/${name}.qm)
  add_custom_command(
    OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/translations
    COMMAND Qt6::lrelease -silent ${ts} -qm ${qm}
    DEPENDS ${ts}
    COMMENT "Compiling ${name}.ts"
    VERBATIM)
  list(APPEND CHROMALOOM_QM_FILES ${qm})
endforeach()
add_custom_target(chromaloom_translations ALL DEPENDS ${CHROMALOOM_QM_FILES})
add_dependencies(chromaloom chromaloom_translations)

add_custom_target(chromaloom_lupdate
  COMMAND Qt6::lupdate -locations none -no-obsolete ${PROJECT_SOURCE_DIR}/src -ts ${CHROMALOOM_TS_FILES}
  COMMENT "Bringing the translations up to date with the sources"
  VERBATIM)

set(CHROMALOOM_QM_FILES ${CHROMALOOM_QM_FILES} PARENT_SCOPE)
