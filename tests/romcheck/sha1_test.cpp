// SHA-1 against digests Python's hashlib gave for the same pseudo-random
// inputs, on both the SHA-instruction and the portable path, fed whole and in
// random pieces.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "romcheck/sha1.h"

namespace {

std::string Stream(uint32_t x, size_t n) {
  std::string out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    out.push_back(static_cast<char>(x & 0xFF));
  }
  return out;
}

Sha1Digest InPieces(const std::string& data, bool portable, std::mt19937& rng) {
  Sha1 sha(portable);
  for (size_t at = 0, n = 0; at < data.size(); at += n) {
    n = std::min<size_t>(data.size() - at, rng() % 3 == 0 ? rng() % 4 : rng() % 300);
    sha.Update(data.data() + at, n);
  }
  return sha.Finish();
}

TEST(Sha1, MatchesHashlibOnBothPathsWholeAndInPieces) {
  const struct { uint32_t seed; size_t size; const char* hex; } cases[] = {
      {1, 0, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},   {4, 55, "b85bbedc4906105a7f94fa1a70f738feb6a03f30"},
      {5, 56, "aed677ebbb1a673f070bf7f55f9376d7508df3e3"},  {6, 57, "d29c7a49cfdc820fd80cfe7ab39f585ab549ea7d"},
      {7, 63, "b5d14cf0bae23cc7eb3afb96dbaf5b33cfc82066"},  {8, 64, "ca350199a3ccd03e903701ffee331cca17e830ea"},
      {9, 65, "44e888b133f24aa26444f3ea79e589aa86e88828"},  {10, 119, "db70a943aab8f05e3bb543dfc667003fcd56dd7a"},
      {11, 120, "6dd211c9d8f106e5b5724f1c5a48ce1df8d94e4a"}, {12, 128, "f28bea144a127c15753702a7fa5b4f4006dc7f56"},
      {13, 1000, "df437b4c0661e4747e6d9032db89f2ff8556c236"},
      {14, 65543, "68eca51ef9a3881929430e40dde0ea4c555a8d38"},
      {15, 1048589, "835854bfe8742bf32305bcbd94426dcddf396dee"},
  };
  std::mt19937 rng(25);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const std::string data = Stream(c.seed, c.size);
    EXPECT_EQ(Sha1Hex(Sha1Of(data.data(), data.size())), c.hex);
    for (bool portable : {false, true}) EXPECT_EQ(Sha1Hex(InPieces(data, portable, rng)), c.hex) << portable;
    Sha1Digest parsed{};
    EXPECT_TRUE(ParseSha1Hex(c.hex, parsed) && parsed == Sha1Of(data.data(), data.size()));
  }
  // Random lengths and contents: the two paths agree everywhere.
  for (int i = 0; i < 300; ++i) {
    std::string data = Stream(rng() | 1, rng() % 3000);
    Sha1 portable(true);
    portable.Update(data.data(), data.size());
    EXPECT_EQ(InPieces(data, false, rng), portable.Finish()) << data.size();
  }
  Sha1Digest d{};
  EXPECT_FALSE(ParseSha1Hex("da39a3ee5e6b4b0d3255bfef95601890afd8070", d) ||
               ParseSha1Hex("da39a3ee5e6b4b0d3255bfef95601890afd8070g", d));
  RecordProperty("hardware_path", Sha1HasHardwarePath() ? "yes" : "no");
}

}  // namespace
