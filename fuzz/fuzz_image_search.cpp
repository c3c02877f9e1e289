// The import's conversion of a few cells with every dither but the search
// (fuzz_search_dither takes that one: it costs far more a cell).
#include "image_part.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return chromaloom::CheckImagePart(data, size, false);
}
