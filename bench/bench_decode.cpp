// Decoding throughput: unpackBlock against zlib's inflate (level 9 data) over the
// same files, in MB/s of output.   bench_decode <corpus dir> [level] [seconds]
#include <zlib.h>

#include <cstdlib>
#include <cstring>

#include "codec/jc_encode.h"
#include "corpus.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_decode <corpus dir> [level] [seconds]\n");
    return 2;
  }
  const int level = argc > 2 ? std::atoi(argv[2]) : qv::kPackLevelDefault;
  const double minSeconds = argc > 3 ? std::atof(argv[3]) : 2.0;
  const auto files = bench::loadCorpus(argv[1]);
  if (files.empty()) {
    std::fprintf(stderr, "bench_decode: no files in %s\n", argv[1]);
    return 1;
  }

  std::vector<std::vector<uint8_t>> ours, theirs;
  uint64_t total = 0;
  size_t largest = 0;
  for (const auto& f : files) {
    const size_t n = f.bytes.size();
    total += n;
    largest = std::max(largest, n);
    ours.push_back(qv::packBlock(f.bytes.data(), n, level));
    uLongf zn = compressBound(uLong(n));
    std::vector<uint8_t> z(zn);
    if (compress2(z.data(), &zn, f.bytes.data(), uLong(n), 9) != Z_OK) return 1;
    z.resize(zn);
    theirs.push_back(std::move(z));
  }
  std::vector<uint8_t> out(largest + 8);

  // Both decoders, checked once, then timed over whole passes of the corpus.
  for (size_t i = 0; i < files.size(); ++i) {
    const size_t n = files[i].bytes.size();
    if (qv::unpackBlock(ours[i].data(), ours[i].size(), out.data(), out.size()) != n ||
        std::memcmp(out.data(), files[i].bytes.data(), n) != 0) {
      std::fprintf(stderr, "bench_decode: %s does not round-trip\n", files[i].path.c_str());
      return 1;
    }
  }
  auto timeOurs = [&] {
    size_t sink = 0;
    for (size_t i = 0; i < files.size(); ++i) sink += qv::unpackBlock(ours[i].data(), ours[i].size(), out.data(), out.size());
    return sink;
  };
  auto timeZlib = [&] {
    size_t sink = 0;
    for (size_t i = 0; i < files.size(); ++i) {
      uLongf n = uLongf(out.size());
      if (uncompress(out.data(), &n, theirs[i].data(), uLong(theirs[i].size())) == Z_OK) sink += n;
    }
    return sink;
  };
  double oursTime = 0, zlibTime = 0;
  uint64_t oursBytes = 0, zlibBytes = 0;
  while (oursTime < minSeconds || zlibTime < minSeconds) {
    double t = bench::seconds();
    oursBytes += timeOurs();
    oursTime += bench::seconds() - t;
    t = bench::seconds();
    zlibBytes += timeZlib();
    zlibTime += bench::seconds() - t;
  }
  const double oursRate = bench::megabytes(oursBytes) / oursTime;
  const double zlibRate = bench::megabytes(zlibBytes) / zlibTime;
  std::printf("corpus: %zu files, %.1f MB\n", files.size(), bench::megabytes(total));
  std::printf("decode unpackBlock (level %d): %.1f MB/s\n", level, oursRate);
  std::printf("decode zlib inflate (level 9): %.1f MB/s\n", zlibRate);
  std::printf("ratio ours/zlib: %.2f (bar >= 0.80)\n", oursRate / zlibRate);
  return 0;
}
