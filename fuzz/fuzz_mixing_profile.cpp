// ReadMixingProfile on any text: a FormatError that names a line, or a
// profile whose written text reads back as the same table. The same text as
// a model's levels: refused with a reason, or a symmetric table.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "formats/format_error.h"
#include "formats/mixing_profile_file.h"

using namespace chromaloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    if (!IsSymmetric(LevelsMixing(text).Table)) std::abort();
  } catch (const std::invalid_argument& e) {
    if (std::string_view(e.what()).empty()) std::abort();
  }
  MixingProfile profile;
  try {
    profile = ReadMixingProfile(text, "fuzzed");
  } catch (const FormatError& e) {
    const std::string message = e.what();
    if (size <= MaxMixingProfileLength && message.find(" line ") == std::string::npos) std::abort();
    return 0;
  }
  for (const auto& row : profile.Table)
    for (const Rgb c : row)
      if ((c >> 24) != 0xFF) std::abort();
  if (ReadMixingProfile(MixingProfileText(profile.Table), "again").Table != profile.Table) std::abort();
  return 0;
}
