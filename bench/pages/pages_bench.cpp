// The page conversions on 64 MiB, both ways, beside memcpy of the same data
// and beside a peer where this machine has one: coreutils base64 and
// basenc --base16, python3's urllib.parse, md5sum. A 1 GiB file digest and
// 100,000-digit radix conversions besides.
//
// Figures are in bytes of the plain side per second (the text or the bytes
// before encoding) for both directions, so that a conversion and its way back
// and the peers' runs compare directly. Times are CPU times, ours and the
// peers' alike (their processes' user and system time), so that other work
// on a shared machine does not tilt the ratios. Every input and output buffer
// is written before timing, and outputs are reused.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "services/md5.h"
#include "workspace/base64/base64.h"
#include "workspace/byteset/byteset.h"
#include "workspace/md5/md5.h"
#include "workspace/radix/radix.h"
#include "workspace/unicode/unicode.h"
#include "workspace/url/url.h"

namespace {

constexpr std::size_t kSize = std::size_t{64} << 20;
constexpr std::uint64_t kFileSize = std::uint64_t{1} << 30;

struct Lcg {
  std::uint32_t x;
  std::uint32_t operator()() { return x = x * 1664525 + 1013904223, x >> 8; }
};

// Random bytes: the worst case for every encoder.
const std::string& Binary() {
  static const std::string data = [] {
    std::string d(kSize, '\0');
    Lcg rng{1};
    for (char& c : d) c = static_cast<char>(rng());
    return d;
  }();
  return data;
}

// GBK text as users paste it: Chinese characters (two bytes each), letters
// and digits, spaces, punctuation and line breaks.
const std::string& GbkText() {
  static const std::string data = [] {
    std::string d;
    d.reserve(kSize + 2);
    Lcg rng{2};
    const char punctuation[] = ".,:;/?=&-_()";
    while (d.size() < kSize) {
      unsigned r = rng() % 100;
      if (r < 55) {
        d += static_cast<char>(0xB0 + rng() % 0x48);
        d += static_cast<char>(0xA1 + rng() % 0x5E);
      } else if (r < 90) {
        d += "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[rng() % 62];
      } else if (r < 95) {
        d += ' ';
      } else if (r < 98) {
        d += punctuation[rng() % (sizeof punctuation - 1)];
      } else {
        d += "\r\n";
      }
    }
    d.resize(kSize);
    if (static_cast<unsigned char>(d.back()) >= 0x80) d.back() = 'a';  // no cut character
    return d;
  }();
  return data;
}

// The same kind of text as UTF-16, 32 Mi code units (64 MiB).
const std::u16string& WideText() {
  static const std::u16string data = [] {
    std::u16string d(kSize / 2, u'a');
    Lcg rng{3};
    for (char16_t& u : d) {
      unsigned r = rng() % 100;
      u = r < 60 ? static_cast<char16_t>(0x4E00 + rng() % 0x5200) : r < 95 ? u"abcxyz0129"[rng() % 10] : u' ';
    }
    return d;
  }();
  return data;
}

// A folder for the peers' input files, on tmpfs when there is one.
const std::filesystem::path& Scratch() {
  static const std::filesystem::path dir = [] {
    std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    auto d = base / ("yz_pages_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

std::string FileWith(const std::string& name, std::string_view bytes) {
  auto path = Scratch() / name;
  if (!std::filesystem::exists(path)) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  return path.string();
}

bool Have(const char* tool) {
  return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0;
}

double ChildrenCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// CPU time of a shell command and its children, or a negative value when it
// failed.
double SecondsOf(const std::string& command) {
  const double before = ChildrenCpuSeconds();
  int rc = std::system(command.c_str());
  if (rc != 0) return -1;
  return ChildrenCpuSeconds() - before;
}

// Times a peer command with manual timing.
void Peer(benchmark::State& state, const char* tool, const std::string& command, std::size_t plainBytes) {
  if (!Have(tool)) {
    state.SkipWithError((std::string(tool) + " is not installed").c_str());
    return;
  }
  for (auto _ : state) {
    double s = SecondsOf(command);
    if (s < 0) {
      state.SkipWithError(("failed: " + command).c_str());
      return;
    }
    state.SetIterationTime(s);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plainBytes));
}

// A conversion on prepared data: `run` once untimed (sizes the reused output
// and writes it), then timed.
template <class Run>
void Convert(benchmark::State& state, std::size_t plainBytes, Run run) {
  run();
  for (auto _ : state) {
    run();
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plainBytes));
}

// ---- memcpy

void BM_Memcpy(benchmark::State& state) {
  const std::string& in = Binary();
  static std::string out(kSize, '\0');
  Convert(state, kSize, [&] { std::memcpy(out.data(), in.data(), kSize); });
}
BENCHMARK(BM_Memcpy)->Name("memcpy");

// ---- page 2: hexadecimal

void BM_Hex(benchmark::State& state) {
  static std::string out;
  Convert(state, kSize, [&] { yz::radix::ToHexTo(GbkText(), out); });
}
BENCHMARK(BM_Hex)->Name("hex/encode");

void BM_HexPeer(benchmark::State& state) {
  Peer(state, "basenc", "basenc --base16 -w0 < " + FileWith("text", GbkText()) + " > /dev/null", kSize);
}
BENCHMARK(BM_HexPeer)->Name("hex/encode/basenc --base16")->UseManualTime()->Iterations(3);

// ---- page 4: Base64

const std::string& Base64Text() {
  static const std::string text = yz::base64::Encode(Binary());
  return text;
}

void BM_Base64Encode(benchmark::State& state) {
  static std::string out;
  Convert(state, kSize, [&] { yz::base64::EncodeTo(Binary(), out); });
}
BENCHMARK(BM_Base64Encode)->Name("base64/encode");

void BM_Base64Decode(benchmark::State& state) {
  static yz::ByteSeq out;
  Convert(state, kSize, [&] { benchmark::DoNotOptimize(yz::base64::DecodeTo(Base64Text(), out)); });
}
BENCHMARK(BM_Base64Decode)->Name("base64/decode");

// Wrapped at 76 columns with CR LF, as mail and many tools write it.
void BM_Base64DecodeWrapped(benchmark::State& state) {
  static const std::string wrapped = [] {
    std::string w;
    const std::string& t = Base64Text();
    for (std::size_t at = 0; at < t.size(); at += 76) w += t.substr(at, 76) + "\r\n";
    return w;
  }();
  static yz::ByteSeq out;
  Convert(state, kSize, [&] { benchmark::DoNotOptimize(yz::base64::DecodeTo(wrapped, out)); });
}
BENCHMARK(BM_Base64DecodeWrapped)->Name("base64/decode/wrapped76");

void BM_Base64EncodePeer(benchmark::State& state) {
  Peer(state, "base64", "base64 -w0 < " + FileWith("binary", Binary()) + " > /dev/null", kSize);
}
BENCHMARK(BM_Base64EncodePeer)->Name("base64/encode/coreutils base64")->UseManualTime()->Iterations(3);

void BM_Base64DecodePeer(benchmark::State& state) {
  Peer(state, "base64", "base64 -d < " + FileWith("base64", Base64Text()) + " > /dev/null", kSize);
}
BENCHMARK(BM_Base64DecodePeer)->Name("base64/decode/coreutils base64 -d")->UseManualTime()->Iterations(3);

// ---- page 3: URL

const std::string& UrlText() {
  static const std::string text = yz::url::Encode(GbkText());
  return text;
}

void BM_UrlEncode(benchmark::State& state) {
  static std::string out;
  Convert(state, kSize, [&] { yz::url::EncodeTo(GbkText(), out); });
}
BENCHMARK(BM_UrlEncode)->Name("url/encode");

void BM_UrlDecode(benchmark::State& state) {
  static yz::ByteSeq out;
  Convert(state, kSize, [&] { yz::url::DecodeTo(UrlText(), out); });
}
BENCHMARK(BM_UrlDecode)->Name("url/decode");

// python3 times only its own call (CPU time), not its start or the reading of
// the file. (Its unquote_to_bytes runs at about 1 MB/s on this text, a minute
// for 64 MiB, so the decoder has no peer here.)
void PythonPeer(benchmark::State& state, const char* call, const std::string& file) {
  if (!Have("python3")) {
    state.SkipWithError("python3 is not installed");
    return;
  }
  const std::string command = "python3 -c 'import sys,time,urllib.parse\n"
                              "d=open(sys.argv[1],\"rb\").read()\n"
                              "t=time.process_time()\n"
                              "urllib.parse." + std::string(call) + "(d)\n"
                              "print(time.process_time()-t)' " + file;
  for (auto _ : state) {
    double s = -1;
    if (std::FILE* p = popen(command.c_str(), "r")) {
      if (std::fscanf(p, "%lf", &s) != 1) s = -1;
      pclose(p);
    }
    if (s < 0) {
      state.SkipWithError("python3 failed");
      return;
    }
    state.SetIterationTime(s);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

void BM_UrlEncodePeer(benchmark::State& state) { PythonPeer(state, "quote_from_bytes", FileWith("text", GbkText())); }
BENCHMARK(BM_UrlEncodePeer)->Name("url/encode/python3 quote_from_bytes")->UseManualTime()->Iterations(1);


void BM_UrlUtf8Encode(benchmark::State& state) {
  static std::string out;
  Convert(state, kSize, [&] { yz::url::EncodeUtf8To(WideText(), out); });
}
BENCHMARK(BM_UrlUtf8Encode)->Name("url-utf8/encode");

void BM_UrlUtf8Decode(benchmark::State& state) {
  static const std::u16string encoded = [] {
    std::string ascii = yz::url::EncodeUtf8(WideText());
    return std::u16string(ascii.begin(), ascii.end());
  }();
  static std::u16string out;
  Convert(state, kSize, [&] { benchmark::DoNotOptimize(yz::url::DecodeUtf8To(encoded, out)); });
}
BENCHMARK(BM_UrlUtf8Decode)->Name("url-utf8/decode");

// ---- page 1: byte set

void BM_ByteSetEncode(benchmark::State& state) {
  static std::string out;
  Convert(state, kSize, [&] { yz::byteset::EncodeTo(GbkText(), yz::byteset::Form::kBare, out); });
}
BENCHMARK(BM_ByteSetEncode)->Name("byteset/encode");

void BM_ByteSetDecode(benchmark::State& state) {
  static const std::string notation = yz::byteset::Encode(GbkText(), yz::byteset::Form::kBare);
  static yz::ByteSeq out;
  Convert(state, kSize, [&] {
    benchmark::DoNotOptimize(yz::byteset::DecodeTo(notation, yz::byteset::Form::kBare, out));
  });
}
BENCHMARK(BM_ByteSetDecode)->Name("byteset/decode");

// ---- page 5: Unicode

void BM_UnicodeEncode(benchmark::State& state) {
  static std::string out;
  Convert(state, kSize, [&] { yz::unicode::EncodeTo(WideText(), out); });
}
BENCHMARK(BM_UnicodeEncode)->Name("unicode/encode");

void BM_UnicodeDecode(benchmark::State& state) {
  static const std::u16string written = [] {
    std::string ascii = yz::unicode::Encode(WideText());
    return std::u16string(ascii.begin(), ascii.end());
  }();
  static std::u16string out;
  Convert(state, kSize, [&] { benchmark::DoNotOptimize(yz::unicode::DecodeTo(written, out)); });
}
BENCHMARK(BM_UnicodeDecode)->Name("unicode/decode");

// ---- page 6: MD5

void BM_Md5Text(benchmark::State& state) {
  Convert(state, kSize, [&] { benchmark::DoNotOptimize(yz::md5::TextRows(GbkText())); });
}
BENCHMARK(BM_Md5Text)->Name("md5/text");

const std::string& BigFile() {
  static const std::string path = [] {
    auto p = std::filesystem::temp_directory_path() / ("yz_pages_bench_1GiB_" + std::to_string(getpid()));
    std::ofstream out(p, std::ios::binary);
    const std::string& piece = Binary();
    for (std::uint64_t done = 0; done < kFileSize; done += piece.size()) out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    return p.string();
  }();
  return path;
}

void BM_Md5File(benchmark::State& state) {
  const std::string& path = BigFile();
  for (auto _ : state) {
    const double t0 = ProcessCpuSeconds();
    auto digest = yz::md5::DigestFile(path);
    state.SetIterationTime(ProcessCpuSeconds() - t0);
    if (!digest.ok()) state.SkipWithError("digest failed");
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}
BENCHMARK(BM_Md5File)->Name("md5/file-1GiB")->UseManualTime()->Iterations(2);

void BM_Md5FilePeer(benchmark::State& state) {
  Peer(state, "md5sum", "md5sum " + BigFile() + " > /dev/null", kFileSize);
}
BENCHMARK(BM_Md5FilePeer)->Name("md5/file-1GiB/md5sum")->UseManualTime()->Iterations(2);

// ---- page 2: radix conversion of 100,000 digits

void BM_Radix(benchmark::State& state) {
  const int from = static_cast<int>(state.range(0)), to = static_cast<int>(state.range(1));
  std::string number(100000, '0');
  Lcg rng{4};
  for (char& c : number) c = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[rng() % from];
  number[0] = '1';
  for (auto _ : state) benchmark::DoNotOptimize(yz::radix::Convert(number, from, to));
}
BENCHMARK(BM_Radix)
    ->Name("radix/100000-digits")
    ->ArgNames({"from", "to"})
    ->Args({10, 16})
    ->Args({16, 10})
    ->Args({10, 36})
    ->Args({36, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      auto rate = r.counters.find("bytes_per_second");
      if (rate != r.counters.end()) rates_[r.benchmark_name()] = rate->second;
    }
  }
  // Bytes per second by benchmark name (manual-time runs included).
  std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  auto& rates = reporter.rates_;
  auto find = [&](const std::string& prefix) -> double {
    for (auto& [name, rate] : rates) {
      if (name.rfind(prefix, 0) == 0) return rate;
    }
    return 0;
  };
  const double memcpyRate = find("memcpy");
  struct Row {
    const char* subject;
    const char* peer;  // nullptr: none on this machine's list
    const char* aim;
  };
  const Row rows[] = {
      {"hex/encode", "hex/encode/basenc", ">= 2000 MB/s"},
      {"base64/encode", "base64/encode/coreutils", ">= 2x coreutils"},
      {"base64/decode", "base64/decode/coreutils", ">= 2x coreutils"},
      {"base64/decode/wrapped76", "base64/decode/coreutils", ""},
      {"url/encode", "url/encode/python3", ">= 800 MB/s"},
      {"url/decode", nullptr, ""},
      {"url-utf8/encode", nullptr, ""},
      {"url-utf8/decode", nullptr, ""},
      {"byteset/encode", nullptr, ">= 800 MB/s"},
      {"byteset/decode", nullptr, ""},
      {"unicode/encode", nullptr, ""},
      {"unicode/decode", nullptr, ""},
      {"md5/text", nullptr, ""},
      {"md5/file-1GiB", "md5/file-1GiB/md5sum", ">= 0.9x md5sum"},
  };
  std::printf("\n%-26s %10s %9s %12s %9s   %s\n", "conversion (plain bytes)", "MB/s", "x memcpy", "peer MB/s",
              "x peer", "aim");
  std::printf("%-26s %10.0f\n", "memcpy", memcpyRate / 1e6);
  for (const Row& r : rows) {
    // The name itself or with its run settings ("/iterations:2/manual_time"):
    // "base64/decode" must not pick up "base64/decode/wrapped76".
    double rate = 0;
    for (auto& [name, value] : rates) {
      if (name == r.subject || name.rfind(std::string(r.subject) + "/iterations:", 0) == 0) rate = value;
    }
    if (rate == 0) continue;
    double peer = r.peer ? find(r.peer) : 0;
    std::printf("%-26s %10.0f %9.2f", r.subject, rate / 1e6, memcpyRate > 0 ? rate / memcpyRate : 0);
    if (peer > 0) {
      std::printf(" %12.0f %9.2f", peer / 1e6, rate / peer);
    } else {
      std::printf(" %12s %9s", "-", "-");
    }
    std::printf("   %s\n", r.aim);
  }
  std::error_code ec;
  std::filesystem::remove_all(Scratch(), ec);
  std::filesystem::remove(std::filesystem::temp_directory_path() / ("yz_pages_bench_1GiB_" + std::to_string(getpid())), ec);
  return 0;
}
