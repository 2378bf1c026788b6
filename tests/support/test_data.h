// Reproducible test data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qvtest {

// Bytes from a fixed-seed generator: the same for a seed on every build.
std::vector<uint8_t> randomBytes(size_t n, uint32_t seed);
// Text-like bytes: words from a small vocabulary, so they compress like real text.
std::vector<uint8_t> textBytes(size_t n, uint32_t seed);
std::string readText(const std::string& path);
// True on a real Windows system, false natively and under Wine (whose Linux file
// systems cannot store a creation time).
bool keepsCreationTimes();

}  // namespace qvtest
