# cmake -DBINARY=file -DHEADER=file -DARRAY=name -DSOURCE=text -P EmbedBinary.cmake
# Writes the bytes of BINARY as a constexpr std::array named ARRAY.
file(READ ${BINARY} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR length "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE ${HEADER}.tmp "// Generated from ${SOURCE} by the build; do not edit.
#pragma once

#include <array>
#include <cstdint>

namespace chromaloom {

inline constexpr std::array<std::uint8_t, ${length}> ${ARRAY} = {
    ${bytes}
};

}  // namespace chromaloom
")
file(COPY_FILE ${HEADER}.tmp ${HEADER} ONLY_IF_DIFFERENT)
file(REMOVE ${HEADER}.tmp)
