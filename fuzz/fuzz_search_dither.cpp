// The import's search dither on a few cells, checked as fuzz_image_search
// checks the other dithers.
#include "image_part.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return chromaloom::CheckImagePart(data, size, true);
}
