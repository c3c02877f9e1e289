// Whole conversions through the converter's entry point, as ratios to the
// plain copy of the same file (capped read plus atomic write): what a
// conversion costs beyond the file itself.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/converter.h"
#include "files/file_io.h"
#include "formats/file_kinds.h"
#include "formats/mgs_format.h"
#include "ratio_reporter.h"
#include "support/random_picture.h"

namespace {

using namespace chromaloom;

constexpr const char* Baseline = "BM_CopyMgsFile";

// A folder of its own holding one random picture as .mgs and as .img.
class Inputs {
 public:
  Inputs() {
    folder_ = std::filesystem::temp_directory_path() / "chromaloom-convert-bench";
    std::filesystem::create_directories(folder_);
    const Picture picture = test_support::RandomPicture(1, 7);
    WriteFileAtomically(Path("in.mgs"), WriteMgs(picture));
    WriteFileAtomically(Path("in.img"), *WritePictureFile(picture, FileKind::Img));
  }
  ~Inputs() { std::filesystem::remove_all(folder_); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
};

const Inputs& Files() {
  static const Inputs inputs;
  return inputs;
}

void BM_CopyMgsFile(benchmark::State& state) {
  const std::string in = Files().Path("in.mgs"), out = Files().Path("copy.mgs");
  for (auto _ : state) WriteFileAtomically(out, ReadFileBytes(in, MaxReadLength(FileKind::Mgs)));
}
BENCHMARK(BM_CopyMgsFile)->Unit(benchmark::kMicrosecond);

void Convert(benchmark::State& state, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  for (auto _ : state) {
    if (RunConverter(args, out, err) != ExitOk) {
      state.SkipWithError(err.str().c_str());
      return;
    }
    out.str({});
  }
}

void BM_ConvertMgsToMg8(benchmark::State& state) { Convert(state, {Files().Path("in.mgs"), Files().Path("out.mg8")}); }
BENCHMARK(BM_ConvertMgsToMg8)->Unit(benchmark::kMicrosecond);

void BM_ConvertMgsToMg1(benchmark::State& state) { Convert(state, {Files().Path("in.mgs"), Files().Path("out.mg1")}); }
BENCHMARK(BM_ConvertMgsToMg1)->Unit(benchmark::kMicrosecond);

void BM_ConvertImgToMgs(benchmark::State& state) { Convert(state, {Files().Path("in.img"), Files().Path("out.mgs")}); }
BENCHMARK(BM_ConvertImgToMgs)->Unit(benchmark::kMicrosecond);

// The largest bitmap: 1280 x 960 with its border.
void BM_ConvertMgsToLargestBmp(benchmark::State& state) {
  Convert(state, {"--bmp-size", "9", Files().Path("in.mgs"), Files().Path("out.bmp")});
}
BENCHMARK(BM_ConvertMgsToLargestBmp)->Unit(benchmark::kMicrosecond);

void BM_InfoMgs(benchmark::State& state) { Convert(state, {"--info", Files().Path("in.mgs")}); }
BENCHMARK(BM_InfoMgs)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // A conversion reads, checks and writes one small file; it should cost a
  // few copies of that file, not an editor image.
  return chromaloom::RunBenchmarksWithRatios(argc, argv, Baseline,
                                             {{"BM_ConvertMgsToMg8", 4.0}, {"BM_InfoMgs", 2.0}});
}
