// The converter's ParseArgs on any argument list: the input split at zero
// bytes, one argument a piece. A piece whose first byte is 1..32 starts with
// that entry of Tokens instead, so options and their values are a byte away
// rather than a lucky string. A list is either refused with a UsageError or
// gives options in range, files taken from the list in order, a file that
// starts with a dash only from a list with "--" in it, and the same options
// when parsed again.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "app/converter_options.h"
#include "picture/bitmap_sizes.h"

using namespace chromaloom;

namespace {

constexpr const char* Tokens[] = {
    "--",      "--mode",     "--border",    "--bmp-size", "--info", "--help", "-h",   "--version",
    "--mode=", "--border=",  "--bmp-size=", "-",          "8",      "4",      "1",    "9",
    "10",      "0",          "-1",          "8,2",        "9,0",    "0,3",    ",",    "x.mgs",
    "-x.mgs",  "2147483648", " 4",          "+2",         "4x",     "=",      "--x=", "a.bmp",
};

std::vector<std::string> ArgsOf(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= size; ++i) {
    if (i < size && data[i] != 0) continue;
    std::string arg(reinterpret_cast<const char*>(data + start), i - start);
    const unsigned first = arg.empty() ? 0u : static_cast<unsigned char>(arg[0]);
    if (first >= 1 && first <= std::size(Tokens)) arg = Tokens[first - 1] + arg.substr(1);
    args.push_back(std::move(arg));
    start = i + 1;
  }
  return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> args = size == 0 ? std::vector<std::string>{} : ArgsOf(data, size);

  ConverterOptions options;
  try {
    options = ParseArgs(args);
  } catch (const UsageError&) {
    return 0;
  }
  if (options.Mode && !IsValidCellHeight(*options.Mode)) std::abort();
  if (options.Border && (options.Border->Column < 0 || options.Border->Column >= BorderColumns ||
                         options.Border->Row < 0 || options.Border->Row >= BorderRows))
    std::abort();
  if (options.BmpSize < 1 || options.BmpSize > static_cast<int>(BitmapSizes.size())) std::abort();

  const bool doubleDash = std::find(args.begin(), args.end(), "--") != args.end();
  auto next = args.begin();
  for (const std::string& file : options.Files) {
    next = std::find(next, args.end(), file);
    if (next == args.end()) std::abort();
    ++next;
    if (file.size() > 1 && file[0] == '-' && !doubleDash) std::abort();
  }
  if (!(ParseArgs(args) == options)) std::abort();
  return 0;
}
