// Runs the benchmarks, then prints each one's speed beside its baseline from
// the same run. A benchmark names its baseline with a "baseline" counter
// holding the baseline's index in kPairs below.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Pair {
  const char* subject;
  const char* baseline;
  const char* what;
};

// Ratios printed after the run: baseline CPU time / subject CPU time (above 1
// means the subject is faster).
constexpr Pair kPairs[] = {
    {"BM_Md5/268435456", "BM_OpenSslMd5/268435456", "MD5 of 256 MiB, speed relative to OpenSSL EVP MD5"},
    {"BM_Md5/16384", "BM_OpenSslMd5/16384", "MD5 of 16 KiB in cache, speed relative to OpenSSL EVP MD5"},
    {"BM_RadixLoop/digitsPerStep", "BM_RadixLoop/oneDigitPerStep",
     "100,000-digit base 10 -> base 36, several digits a step vs one digit a step"},
    {"BM_Multiply10000Digits", "BM_GmpMultiply10000Digits", "10,000 x 10,000-digit multiply, relative to GMP"},
    {"BM_Divide20000By10000Digits", "BM_GmpDivide20000By10000Digits",
     "20,000 / 10,000-digit divide, relative to GMP"},
};

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      // CPU time: other work on a shared machine stretches wall time unevenly.
      seconds_[r.benchmark_name()] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
    }
  }
  const std::map<std::string, double>& seconds() const { return seconds_; }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n");
  for (const Pair& p : kPairs) {
    auto s = reporter.seconds().find(p.subject), b = reporter.seconds().find(p.baseline);
    if (s == reporter.seconds().end() || b == reporter.seconds().end()) continue;
    std::printf("%-80s %8.3f  (%.4g s vs %.4g s)\n", p.what, b->second / s->second, s->second, b->second);
  }

  // OpenSSL's own figure for the same digest, from its command-line tool
  // (user CPU time, 16 KiB blocks, the largest it measures by default).
  std::printf("\nopenssl speed -evp md5 -bytes 16384 -seconds 2 (in 1000s of bytes per second):\n");
  std::fflush(stdout);
  if (std::FILE* p = popen("openssl speed -evp md5 -bytes 16384 -seconds 2 2>/dev/null | tail -1", "r")) {
    char line[512];
    while (std::fgets(line, sizeof line, p)) std::fputs(line, stdout);
    pclose(p);
  }
  return 0;
}
