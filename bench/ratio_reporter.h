// Benchmark times as ratios to a baseline measured in the same run, because
// these machines are noisy; run with --benchmark_repetitions=N to compare
// the medians of N runs. The usual output (--benchmark_format,
// --benchmark_out) is left as it is; the ratios go to stderr after it.
#pragma once

#include <benchmark/benchmark.h>

#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace chromaloom {

// The counter in which a benchmark reports its own ratio to the baseline.
constexpr const char* OwnRatioCounter = "baseline_ratio";

class RatioReporter : public benchmark::BenchmarkReporter {
 public:
  // targets: upper bounds of the ratio, by benchmark name.
  RatioReporter(std::string baseline, std::map<std::string, double> targets)
      : baseline_(std::move(baseline)), targets_(std::move(targets)) {}

  bool ReportContext(const Context& context) override { return display_->ReportContext(context); }

  void ReportRuns(const std::vector<Run>& runs) override {
    display_->ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // In seconds, whatever unit each benchmark shows. With repetitions
      // the median stands for them all: one slow moment of the machine
      // then moves no ratio.
      Measure measure{run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit), false};
      // A benchmark that timed the baseline beside itself, turn about,
      // reports the ratio itself: unlike two runs apart, no change in the
      // machine's speed between them moves it.
      if (const auto own = run.counters.find(OwnRatioCounter); own != run.counters.end())
        measure = {own->second.value, true};
      std::string name = run.run_name.str();
      // Manual timing is how a benchmark is measured, not what it measures.
      if (const auto manual = name.rfind("/manual_time"); manual != std::string::npos) name.erase(manual);
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medians_[name] = measure;
      else if (run.run_type == Run::RT_Iteration)
        measures_[name] = measure;
    }
  }

  void Finalize() override {
    display_->Finalize();
    for (const auto& [name, median] : medians_) measures_[name] = median;
    const auto base = measures_.find(baseline_);
    if (base == measures_.end() || base->second.Value <= 0) return;
    std::ostream& out = std::cerr;
    out << "\nCPU time as a ratio to " << baseline_ << " (same run):\n";
    for (const auto& [name, measure] : measures_) {
      const double ratio = measure.IsRatio ? measure.Value : measure.Value / base->second.Value;
      out << "  " << std::left << std::setw(40) << name << " " << std::fixed << std::setprecision(4) << ratio;
      if (const auto target = targets_.find(name); target != targets_.end())
        out << "  (target <= " << target->second << ": " << (ratio <= target->second ? "met" : "MISSED") << ")";
      out << "\n";
    }
  }

 private:
  std::unique_ptr<benchmark::BenchmarkReporter> display_{benchmark::CreateDefaultDisplayReporter()};
  std::string baseline_;
  std::map<std::string, double> targets_;
  // In seconds, or the ratio itself where the benchmark reported it.
  struct Measure {
    double Value;
    bool IsRatio;
  };
  std::map<std::string, Measure> measures_;
  std::map<std::string, Measure> medians_;
};

inline int RunBenchmarksWithRatios(int argc, char** argv, std::string baseline, std::map<std::string, double> targets) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter(std::move(baseline), std::move(targets));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace chromaloom
