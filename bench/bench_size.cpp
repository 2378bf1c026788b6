// Compressed size of the corpus, each file on its own and stored raw when its
// compressed form is not smaller (as packages store it): our default and best
// levels against zlib level 9 and xz preset 9; plus the compression speed of our
// default level against zlib level 9's.   bench_size <corpus dir>
#include <lzma.h>
#include <zlib.h>

#include "codec/jc_encode.h"
#include "corpus.h"

namespace {

struct Total {
  uint64_t stored = 0;
  double seconds = 0;
};

template <typename Pack>
void add(Total& t, const std::vector<uint8_t>& data, Pack pack) {
  const double start = bench::seconds();
  const size_t size = pack(data);
  t.seconds += bench::seconds() - start;
  t.stored += std::min(size, data.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_size <corpus dir>\n");
    return 2;
  }
  const auto files = bench::loadCorpus(argv[1]);
  if (files.empty()) {
    std::fprintf(stderr, "bench_size: no files in %s\n", argv[1]);
    return 1;
  }
  Total ours, best, zlib9, xz9;
  uint64_t total = 0;
  bool ok = true;
  for (const auto& f : files) {
    total += f.bytes.size();
    add(ours, f.bytes, [](const std::vector<uint8_t>& d) {
      return qv::packBlock(d.data(), d.size(), qv::kPackLevelDefault).size();
    });
    add(best, f.bytes, [&](const std::vector<uint8_t>& d) {
      std::vector<uint8_t> block = qv::packBlock(d.data(), d.size(), qv::kPackLevelBest);
      std::vector<uint8_t> out(d.size() + 8);
      if (qv::unpackBlock(block.data(), block.size(), out.data(), out.size()) != d.size() ||
          !std::equal(d.begin(), d.end(), out.begin())) {
        std::fprintf(stderr, "bench_size: %s does not round-trip\n", f.path.c_str());
        ok = false;
      }
      return block.size();
    });
    add(zlib9, f.bytes, [](const std::vector<uint8_t>& d) {
      uLongf n = compressBound(uLong(d.size()));
      std::vector<uint8_t> z(n);
      compress2(z.data(), &n, d.data(), uLong(d.size()), 9);
      return size_t(n);
    });
    add(xz9, f.bytes, [](const std::vector<uint8_t>& d) {
      std::vector<uint8_t> x(lzma_stream_buffer_bound(d.size()));
      size_t pos = 0;
      if (lzma_easy_buffer_encode(9, LZMA_CHECK_CRC32, nullptr, d.data(), d.size(), x.data(), &pos, x.size()) != LZMA_OK)
        return d.size();
      return pos;
    });
  }
  const double mb = bench::megabytes(total);
  std::printf("corpus: %zu files, %.1f MB\n", files.size(), mb);
  std::printf("size ours level %d: %llu (%.2f%%)\n", qv::kPackLevelDefault, (unsigned long long)ours.stored,
              100.0 * double(ours.stored) / double(total));
  std::printf("size ours level %d: %llu (%.2f%%)\n", qv::kPackLevelBest, (unsigned long long)best.stored,
              100.0 * double(best.stored) / double(total));
  std::printf("size zlib level 9: %llu (%.2f%%)\n", (unsigned long long)zlib9.stored,
              100.0 * double(zlib9.stored) / double(total));
  std::printf("size xz preset 9: %llu (%.2f%%)\n", (unsigned long long)xz9.stored,
              100.0 * double(xz9.stored) / double(total));
  std::printf("ratio ours/zlib: default %.3f, best %.3f (bar <= 1.05)\n", double(ours.stored) / double(zlib9.stored),
              double(best.stored) / double(zlib9.stored));
  std::printf("ratio ours/xz: default %.3f, best %.3f\n", double(ours.stored) / double(xz9.stored),
              double(best.stored) / double(xz9.stored));
  std::printf("pack speed ours level %d: %.2f MB/s (bar >= 1)\n", qv::kPackLevelDefault, mb / ours.seconds);
  std::printf("pack speed ours level %d: %.2f MB/s\n", qv::kPackLevelBest, mb / best.seconds);
  std::printf("pack speed zlib level 9: %.2f MB/s\n", mb / zlib9.seconds);
  std::printf("ratio ours/zlib speed (default level): %.3f\n", (mb / ours.seconds) / (mb / zlib9.seconds));
  return ok ? 0 : 1;
}
