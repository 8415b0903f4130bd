// Hashing on a second core gives the same SHA-1 as hashing in line, whatever
// the pieces the data comes in (the slots fill and wrap several times).
#include <gtest/gtest.h>

#include <random>

#include "romaudit/hash_pipe.h"
#include "romaudit/scratch_collection.h"

TEST(HashPipe, MatchesSha1InAnyPieces) {
  std::mt19937 rng(22);
  for (size_t size : {size_t{0}, size_t{1}, size_t{256u << 10}, size_t{(3u << 20) + 17}}) {
    const std::string data = scratch::RandomBytes(size, size);
    for (bool threaded : {false, true}) {
      HashPipe pipe(threaded);
      for (size_t at = 0; at < data.size();) {
        size_t n = std::min<size_t>(data.size() - at, rng() % 200000);
        pipe.Update(reinterpret_cast<const uint8_t*>(data.data()) + at, n);
        at += n;
      }
      EXPECT_EQ(pipe.Finish(), Sha1Of(data.data(), data.size())) << size << threaded;
    }
  }
}
