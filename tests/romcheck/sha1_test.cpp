// SHA-1 against sha1sum's digests, on the SHA-instruction and portable paths, whole, in pieces and two at once.
#include "romcheck/sha1.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "romcheck/zip_test_util.h"

namespace {

Sha1Digest InPieces(const std::string& data, bool portable, std::mt19937& rng) {
  Sha1 sha(portable);
  for (size_t at = 0, n = 0; at < data.size(); at += n) {
    n = std::min<size_t>(data.size() - at, rng() % 3 == 0 ? rng() % 4 : rng() % 300);
    sha.Update(data.data() + at, n);
  }
  return sha.Finish();
}

TEST(Sha1, MatchesSha1sumOnBothPathsWholeAndInPieces) {
  const struct { uint32_t seed; size_t size; const char* hex; } cases[] = {
      {1, 0, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},   {4, 55, "2327704077219912fc9bdacd7973c348758808c6"},
      {5, 56, "0bf024ee9361b05c6c310c67d08010b8d39a609c"},  {8, 64, "c60160185307ede2efe1551aeaf8f15ad4065e7a"},
      {9, 65, "578e41bbaf89b1905bbbb23c5d57cf9d4eab10a6"},  {11, 120, "a4c62f1cc2af053f3b8023c272ab01e4e4b345b7"},
      {12, 128, "0f9d2f7d5f3de16acc1b17973d465c2b698f3d1e"}, {13, 1000, "1c017ae526ed07c1a99fde59a264fba1c8fe47f1"},
      {14, 65543, "9f63a62ab5c59ae8ac43eebf099b7fd731d82d0e"},
      {15, 1048589, "189841c10c2882db5f9c9a347f36ad070dadd6f4"},
  };
  std::mt19937 rng(25);
  const std::string other = ziptest::RomLikeData(1048589, 15);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const std::string data = ziptest::RomLikeData(c.size, c.seed);
    EXPECT_EQ(Sha1Hex(Sha1Of(data.data(), data.size())), c.hex);
    for (bool portable : {false, true}) EXPECT_EQ(Sha1Hex(InPieces(data, portable, rng)), c.hex) << portable;
    // Fed together with the longest case's start (also off a block boundary), whose rest then goes alone.
    for (size_t offset : {size_t{0}, size_t{7}}) {
      if (offset + data.size() > other.size()) continue;
      Sha1 a, b;
      b.Update(other.data(), offset);
      Sha1::UpdateTwo(a, data.data(), b, other.data() + offset, data.size());
      b.Update(other.data() + offset + data.size(), other.size() - offset - data.size());
      EXPECT_EQ(Sha1Hex(a.Finish()) + " " + Sha1Hex(b.Finish()), c.hex + std::string(" ") + cases[9].hex) << offset;
    }
    Sha1Digest parsed{};
    EXPECT_TRUE(ParseSha1Hex(c.hex, parsed) && parsed == Sha1Of(data.data(), data.size()));
  }
  Sha1Digest d{};
  EXPECT_FALSE(ParseSha1Hex("da39a3ee5e6b4b0d3255bfef95601890afd8070", d) ||
               ParseSha1Hex("da39a3ee5e6b4b0d3255bfef95601890afd8070g", d));
}

}  // namespace
