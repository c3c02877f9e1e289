# The Z80 programs in zx/, assembled at build time with pasmo and embedded as
# byte arrays in generated headers, so the converter and the editor carry
# them without any file beside them. Without pasmo the configure stops: a
# build without the viewer would write snapshots that show nothing.

find_program(CHROMALOOM_PASMO pasmo)
if(NOT CHROMALOOM_PASMO)
  message(FATAL_ERROR "pasmo, the Z80 assembler that builds the Spectrum viewer in zx/, was not found. "
                      "Install it (Debian: apt install pasmo, or scripts/install-deps.sh) "
                      "or point CHROMALOOM_PASMO at it.")
endif()

set(CHROMALOOM_ZX_GENERATED ${CMAKE_BINARY_DIR}/generated)

# zx_program(<target> <name> <array name>): zx/<name>.asm assembled into
# generated/spectrum/<name>_binary.h holding std::array <array name>. Every
# program may include the shared parts in zx/.
function(zx_program target name array)
  set(source ${PROJECT_SOURCE_DIR}/zx/${name}.asm)
  file(GLOB shared ${PROJECT_SOURCE_DIR}/zx/viewer_*.asm)
  set(binary ${CMAKE_CURRENT_BINARY_DIR}/zx/${name}.bin)
  set(header ${CHROMALOOM_ZX_GENERATED}/spectrum/${name}_binary.h)
  add_custom_command(
    OUTPUT ${binary} ${header}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/zx ${CHROMALOOM_ZX_GENERATED}/spectrum
    COMMAND ${CHROMALOOM_PASMO} -I ${PROJECT_SOURCE_DIR}/zx --bin ${source} ${binary}
    COMMAND ${CMAKE_COMMAND} -DBINARY=${binary} -DHEADER=${header} -DARRAY=${array} -DSOURCE=zx/${name}.asm
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedBinary.cmake
    DEPENDS ${source} ${shared} ${PROJECT_SOURCE_DIR}/cmake/EmbedBinary.cmake
    COMMENT "Assembling zx/${name}.asm"
    VERBATIM)
  target_sources(${target} PRIVATE ${header})
  target_include_directories(${target} PRIVATE ${CHROMALOOM_ZX_GENERATED})
endfunction()
