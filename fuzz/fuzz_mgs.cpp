// ReadMgs on any bytes: a FormatError or a picture that writes back to itself.
// Random bytes rarely reach the full length of a picture, so the input is also
// applied as edits to a valid file: 3 bytes an edit (16-bit offset, value); a
// leftover byte cuts that many bytes off the end.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/format_error.h"
#include "formats/mgs_format.h"

using namespace chromaloom;

namespace {

std::vector<std::uint8_t> Edited(std::vector<std::uint8_t> file, const std::uint8_t* data, std::size_t size) {
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) file[((data[i] << 8) | data[i + 1]) % file.size()] = data[i + 2];
  if (i < size) file.resize(file.size() - data[i]);
  return file;
}

void Check(std::span<const std::uint8_t> bytes) {
  ImportedPicture read;
  try {
    read = ReadMgs(bytes);
  } catch (const FormatError&) {
    return;
  }
  if (!IsValidCharMode(read.CharMode)) std::abort();
  Picture picture;
  static_cast<Planes&>(picture) = read.Planes;
  picture.CharMode = read.CharMode;
  if (read.Border)
    if (const auto choice = FindBorderChoice(*read.Border)) picture.SetBorderChoice(choice->Column, choice->Row);
  // Every colour was checked, so the writer must accept the picture and the reader get it back.
  const ImportedPicture again = ReadMgs(WriteMgs(picture));
  if (!(again.Planes == read.Planes) || again.CharMode != read.CharMode) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::uint8_t> valid = WriteMgs(Picture{});
  Check(std::span(data, size));
  Check(Edited(valid, data, size));
  return 0;
}
