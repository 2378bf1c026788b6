// Extraction: `qvpack extract` of the corpus packed as one package, against
// `tar -xf` of an uncompressed tar of the same files. Prints the wall time of each
// (best of a few runs, page cache warm), their ratio, and the peak memory of the
// qvpack child beside the bar of 2 x the largest entry + 16 MB.
//   bench_extract <corpus dir> [qvpack]
// Without the second argument qvpack is taken from the build tree beside this program.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "corpus.h"

namespace {

namespace fs = std::filesystem;

struct ChildRun {
  bool ok = false;
  double seconds = 0;
  double peakMegabytes = 0;  // maxrss of the child
};

ChildRun runChild(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ChildRun run;
  double start = bench::seconds();
  pid_t pid = fork();
  if (pid < 0) return run;
  if (pid == 0) {
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.seconds = bench::seconds() - start;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
  return run;
}

// Best time and highest peak of a few runs, each into a fresh folder.
ChildRun bestOf(int runs, const fs::path& target, const std::vector<std::string>& argv) {
  ChildRun best;
  for (int i = 0; i < runs; ++i) {
    fs::remove_all(target);
    fs::create_directories(target);
    ChildRun r = runChild(argv);
    if (!r.ok) return r;
    if (!best.ok || r.seconds < best.seconds) best.seconds = r.seconds;
    if (r.peakMegabytes > best.peakMegabytes) best.peakMegabytes = r.peakMegabytes;
    best.ok = true;
  }
  fs::remove_all(target);
  return best;
}

std::string defaultQvpack() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return (self.parent_path() / ".." / "tools" / "qvpack" / "qvpack").lexically_normal().string();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_extract <corpus dir> [qvpack]\n");
    return 2;
  }
  fs::path corpus = fs::absolute(argv[1]);
  std::string qvpack = argc > 2 ? argv[2] : defaultQvpack();
  uint64_t files = 0, total = 0, largest = 0;
  for (const auto& e : fs::recursive_directory_iterator(corpus)) {
    if (!e.is_regular_file()) continue;
    ++files;
    total += e.file_size();
    if (e.file_size() > largest) largest = e.file_size();
  }
  if (files == 0) {
    std::fprintf(stderr, "bench_extract: %s holds no files\n", corpus.c_str());
    return 1;
  }
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/bench-extract-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) return 1;
  fs::path work = buf.data();
  std::string package = (work / "corpus.pck").string(), tar = (work / "corpus.tar").string();
  fs::path target = work / "out";

  ChildRun packed = runChild({qvpack, "build", corpus.string(), "-o", package});
  ChildRun tarred = runChild({"tar", "-cf", tar, "-C", corpus.string(), "."});
  if (!packed.ok || !tarred.ok) {
    std::fprintf(stderr, "bench_extract: cannot make the package (%s) or the tar\n", qvpack.c_str());
    fs::remove_all(work);
    return 1;
  }
  const int runs = 3;
  ChildRun ours = bestOf(runs, target, {qvpack, "extract", package, target.string()});
  ChildRun peer = bestOf(runs, target, {"tar", "-xf", tar, "-C", target.string()});
  uint64_t packageSize = fs::file_size(package), tarSize = fs::file_size(tar);
  fs::remove_all(work);
  if (!ours.ok || !peer.ok) {
    std::fprintf(stderr, "bench_extract: an extraction failed\n");
    return 1;
  }

  double bar = 2 * bench::megabytes(largest) + 16;
  std::printf("extract: %llu files, %.1f MB, largest entry %.2f MB; package %.1f MB, tar %.1f MB\n",
              (unsigned long long)files, bench::megabytes(total), bench::megabytes(largest),
              bench::megabytes(packageSize), bench::megabytes(tarSize));
  std::printf("  %-16s %8s %14s\n", "", "wall s", "peak memory MB");
  std::printf("  %-16s %8.3f %14.1f\n", "qvpack extract", ours.seconds, ours.peakMegabytes);
  std::printf("  %-16s %8.3f %14.1f\n", "tar -xf", peer.seconds, peer.peakMegabytes);
  std::printf("  wall-time ratio qvpack / tar: %.2f\n", ours.seconds / peer.seconds);
  bool memoryOk = ours.peakMegabytes <= bar;
  std::printf("  peak memory %.1f MB against the bar 2 x largest + 16 MB = %.1f MB: %s\n", ours.peakMegabytes, bar,
              memoryOk ? "within" : "OVER");
  return memoryOk ? 0 : 1;
}
