#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/converter.h"
#include "support/temp_dir.h"

namespace chromaloom {
namespace {

using chromaloom::test_support::ReadBytes;
using chromaloom::test_support::TempDir;
using chromaloom::test_support::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

// Inputs are built here byte by byte, so a fault in the readers or writers
// under test cannot also shift what they are fed.
class XorShift64 {
 public:
  explicit XorShift64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 56); }
  std::uint8_t Colour() { return static_cast<std::uint8_t>(Next() % 15); }  // indices 0..14

 private:
  std::uint64_t state_;
};

constexpr int ScreenBytes = 6912;          // 6144 pixel bytes + 768 attribute bytes
constexpr int PlaneBytes = 32 * 192;       // one pixel plane, one byte per column and line
constexpr int AttrBytes = 2 * PlaneBytes;  // one attribute plane, INK then PAPER per column and line

// Two raw ZX screens; every attribute byte value is legal.
Bytes ImgBytes(std::uint64_t seed) {
  XorShift64 rng(seed);
  Bytes out(2 * ScreenBytes);
  for (auto& b : out) b = rng.Byte();
  return out;
}

// "MGS", version 1, char mode, border pair, two pixel planes, two attribute planes.
Bytes MgsBytes(std::uint8_t mode, std::uint8_t border0, std::uint8_t border1, std::uint64_t seed) {
  XorShift64 rng(seed);
  Bytes out = {'M', 'G', 'S', 1, mode, border0, border1};
  for (int i = 0; i < 2 * PlaneBytes; ++i) out.push_back(rng.Byte());
  for (int i = 0; i < 2 * AttrBytes; ++i) out.push_back(rng.Colour());
  return out;
}

const std::map<std::string, Bytes>& Inputs() {
  // 7,0 is not in the border table, so m1 keeps the start-up border.
  static const std::map<std::string, Bytes> inputs = {
      {"screens.img", ImgBytes(0x9E3779B97F4A7C15u)},     {"m8.mgs", MgsBytes(8, 5, 4, 0xD1B54A32D192ED03u)},
      {"m4.mgs", MgsBytes(4, 0, 7, 0xA0761D6478BD642Fu)}, {"m2.mgs", MgsBytes(2, 6, 2, 0xE7037ED1A0B428DBu)},
      {"m1.mgs", MgsBytes(1, 7, 0, 0x8EBC6AF09C88C6E3u)},
  };
  return inputs;
}

std::uint64_t Fnv1a64(const Bytes& bytes) {
  std::uint64_t h = 14695981039346656037u;
  for (const std::uint8_t b : bytes) {
    h ^= b;
    h *= 1099511628211u;
  }
  return h;
}

struct Row {
  std::string Input;
  std::vector<std::string> Options;
  std::string Output;  // empty: the row hashes what --info prints
  std::size_t Length;
  std::uint64_t Hash;
};

// The bytes of the release before the redesign; any change must be a deliberate format change.
const Row Rows[] = {
    {"screens.img", {}, "o.mgs", 36871, 0xe68f9fd102f3e033u},
    {"screens.img", {}, "o.img", 13824, 0xb8029570938ac821u},
    {"screens.img", {}, "o.mg1", 19456, 0xb22bd251b915d74u},
    {"screens.img", {}, "o.mg2", 14080, 0x91dfc3ac15bf73cfu},
    {"screens.img", {}, "o.mg4", 14080, 0x91dfc3ac15bf73cfu},
    {"screens.img", {}, "o.mg8", 14080, 0x91dfc3ac15bf73cfu},
    {"screens.img", {}, "o.bmp", 147510, 0x541a1ce7bed2a91eu},
    {"screens.img", {"--info"}, "", 128, 0x496d4502f7b0fc15u},
    {"m8.mgs", {}, "o.mgs", 36871, 0xb5177e7248c5f9a1u},
    {"m8.mgs", {}, "o.img", 13824, 0xfcf540b378e80d9eu},
    {"m8.mgs", {}, "o.mg1", 19456, 0x58adc5bbf72ec3c0u},
    {"m8.mgs", {}, "o.mg2", 14080, 0x4f127f6492ed995bu},
    {"m8.mgs", {}, "o.mg4", 14080, 0x4f127f6492ed995bu},
    {"m8.mgs", {}, "o.mg8", 14080, 0x4f127f6492ed995bu},
    {"m8.mgs", {}, "o.bmp", 147510, 0x5c13b7e8eca17ef5u},
    {"m8.mgs", {"--info"}, "", 119, 0x2a89aa7d8bdc495fu},
    {"m4.mgs", {}, "o.mgs", 36871, 0x589e9c434cc9cbeeu},
    {"m4.mgs", {}, "o.img", 13824, 0xbc6bcf38633d845cu},
    {"m4.mgs", {}, "o.mg1", 19456, 0xd9f86d4a92813017u},
    {"m4.mgs", {}, "o.mg2", 15616, 0x48669df8e043dc91u},
    {"m4.mgs", {}, "o.mg4", 15616, 0x48669df8e043dc91u},
    {"m4.mgs", {}, "o.mg8", 15616, 0x48669df8e043dc91u},
    {"m4.mgs", {}, "o.bmp", 147510, 0x629168190a13215eu},
    {"m4.mgs", {"--info"}, "", 119, 0x48fa236c4e2f3e65u},
    {"m2.mgs", {}, "o.mgs", 36871, 0x1af80046c7a001cbu},
    {"m2.mgs", {}, "o.img", 13824, 0xed880f3ef83a3c18u},
    {"m2.mgs", {}, "o.mg1", 19456, 0xc0f10cf5b995979au},
    {"m2.mgs", {}, "o.mg2", 18688, 0xa88b6336132b1309u},
    {"m2.mgs", {}, "o.mg4", 18688, 0xa88b6336132b1309u},
    {"m2.mgs", {}, "o.mg8", 18688, 0xa88b6336132b1309u},
    {"m2.mgs", {}, "o.bmp", 147510, 0xf2df6fdffac77542u},
    {"m2.mgs", {"--info"}, "", 119, 0x57b5d97c25823782u},
    {"m1.mgs", {}, "o.mgs", 36871, 0x6d2f2611393cc0e1u},
    {"m1.mgs", {}, "o.img", 13824, 0x6530ae4327647e2u},
    {"m1.mgs", {}, "o.mg1", 19456, 0xb05a4f3e57b4bb77u},
    {"m1.mgs", {}, "o.mg2", 24832, 0x54991fbabe76c700u},
    {"m1.mgs", {}, "o.mg4", 24832, 0x54991fbabe76c700u},
    {"m1.mgs", {}, "o.mg8", 24832, 0x54991fbabe76c700u},
    {"m1.mgs", {}, "o.bmp", 147510, 0xef20cd6a32c13e57u},
    {"m1.mgs", {"--info"}, "", 160, 0x3f0edcb49c6ff3f9u},
    {"screens.img", {"--mode", "4"}, "o.mg4", 15616, 0xe534220536d1a297u},
    {"screens.img", {"--border", "7,2"}, "o.mgs", 36871, 0x95db8a76b3f02102u},
    {"m8.mgs", {"--mode=1"}, "o.mg1", 19456, 0xf9109cd517df927du},
    {"m8.mgs", {"--bmp-size", "6"}, "o.bmp", 921654, 0x236bbe36d662897cu},
    {"m4.mgs", {"--mode", "2"}, "o.mg2", 18688, 0x380c05b9ab87d9e6u},
    {"m4.mgs", {"--mode", "1", "--border", "8,2", "--bmp-size", "7"}, "o.bmp", 1440054, 0xefa9a2e90f7159b0u},
    {"m2.mgs", {"--mode", "8"}, "o.mgs", 36871, 0x96ebfd5a196b2705u},
    {"m2.mgs", {"--bmp-size=9"}, "o.bmp", 3686454, 0xbf8d5cff57e106bfu},
    {"m1.mgs", {"--border", "3,1", "--bmp-size", "8"}, "o.bmp", 2359350, 0x4ddf281fc46e8af7u},
    {"m1.mgs", {"--mode", "4", "--border=0,1"}, "o.mgs", 36871, 0xe80210c9a01bdb0fu},
};

TEST(ConverterBytes, EveryOutputMatchesTheRecordedBytes) {
  TempDir dir;
  for (const auto& [name, bytes] : Inputs()) WriteBytes(dir.File(name), bytes);

  for (const Row& row : Rows) {
    std::string label = row.Input;
    for (const auto& option : row.Options) label += " " + option;
    label += " " + row.Output;
    SCOPED_TRACE(label);

    std::vector<std::string> args = row.Options;
    args.push_back(dir.File(row.Input));
    if (!row.Output.empty()) {
      std::filesystem::remove(dir.File(row.Output));  // a stale file must not pass for this row's output
      args.push_back(dir.File(row.Output));
    }
    std::ostringstream out, err;
    ASSERT_EQ(RunConverter(args, out, err), ExitOk) << err.str();

    Bytes produced;
    if (row.Output.empty()) {
      // The temp folder differs per run, so --info is pinned with the bare file name.
      std::string text = out.str();
      const std::string folder = dir.Path().string() + "/";
      for (auto at = text.find(folder); at != std::string::npos; at = text.find(folder)) text.erase(at, folder.size());
      produced.assign(text.begin(), text.end());
    } else {
      produced = ReadBytes(dir.File(row.Output));
    }
    const std::uint64_t hash = Fnv1a64(produced);
    EXPECT_TRUE(produced.size() == row.Length && hash == row.Hash)
        << "expected length " << row.Length << ", hash 0x" << std::hex << row.Hash << "u; got length " << std::dec
        << produced.size() << ", hash 0x" << std::hex << hash << "u";
  }
}

}  // namespace
}  // namespace chromaloom
