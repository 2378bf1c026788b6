// The benchmark corpus: every regular file under a folder, in path order, each
// compressed on its own as packages store them.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace bench {

struct CorpusFile {
  std::string path;
  std::vector<uint8_t> bytes;
};

inline std::vector<CorpusFile> loadCorpus(const std::string& dir) {
  std::vector<std::string> paths;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    if (it->is_regular_file()) paths.push_back(it->path().string());
  std::sort(paths.begin(), paths.end());
  std::vector<CorpusFile> files;
  for (const auto& p : paths) {
    std::ifstream in(p, std::ios::binary);
    CorpusFile f{p, std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {})};
    if (!f.bytes.empty()) files.push_back(std::move(f));
  }
  return files;
}

inline double seconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

inline double megabytes(uint64_t bytes) { return double(bytes) / (1024.0 * 1024.0); }

}  // namespace bench
