#include "romcheck/inflate.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "romcheck/crc32.h"
#include "romcheck/zip_test_util.h"

using namespace ziptest;

namespace {

// Writes a deflate stream bit by bit: header fields least significant bit
// first, Huffman codes most significant bit first.
struct BitWriter {
  std::string out;
  uint32_t acc = 0;
  int n = 0;
  void Bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Push((value >> i) & 1);
  }
  void Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Push((code >> i) & 1);
  }
  void Push(uint32_t bit) {
    acc |= bit << n;
    if (++n == 8) out.push_back(static_cast<char>(acc)), acc = 0, n = 0;
  }
  std::string Done() {
    if (n) out.push_back(static_cast<char>(acc));
    acc = 0, n = 0;
    return std::exchange(out, {});
  }
};

int Decode(const std::string& stream, InflateResult& r, std::string* out = nullptr, size_t capacity = 0) {
  if (out) out->assign(capacity, '\0');
  return Inflate(Bytes(stream), stream.size(), out ? reinterpret_cast<uint8_t*>(out->data()) : nullptr, capacity, r);
}

int Decode(const std::string& stream) {
  InflateResult r;
  return Decode(stream, r);
}


}  // namespace

TEST(Crc32, KnownValuesContinuationAndTheFastPathAtEveryLengthAndAlignment) {
  EXPECT_TRUE(Crc32(0, "123456789", 9) == 0xCBF43926u && Crc32(0, "", 0) == 0u);
  std::string data = RomLikeData(100000, 1);
  uint32_t whole = Crc32(0, data.data(), data.size());
  EXPECT_EQ(whole, ZlibCrc(data));
  EXPECT_EQ(Crc32(Crc32(0, data.data(), 777), data.data() + 777, data.size() - 777), whole);
  for (size_t offset = 0; offset < 16; ++offset)
    for (size_t length = 0; length < 4096; length += (length < 300 ? 1 : 61)) {
      const char* p = data.data() + offset;
      ASSERT_EQ(Crc32(0x12345678u, p, length), Crc32Portable(0x12345678u, p, length)) << offset << " " << length;
    }
}

TEST(Inflate, MatchesZlibOutputAtEveryLevelAndStrategy) {
  const std::vector<std::string> inputs = {"", "a", RomLikeData(3000, 3), RomLikeData(700000, 4),
                                           std::string(300000, '\0')};
  for (const std::string& data : inputs)
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED})
      for (int level : {0, 1, 6, 9}) {
        std::string stream = Deflate(data, level, strategy);
        InflateResult r;
        std::string out;
        ASSERT_EQ(Decode(stream, r, &out, data.size()), kInflateOk) << data.size() << " " << level << " " << strategy;
        EXPECT_TRUE(out == data && r.produced == data.size() && r.crc == ZlibCrc(data));
      }
}

TEST(Inflate, CountsAndChecksumsBeyondTheOutputCapacityAndStopsSoonAfterTheLimit) {
  std::string data = RomLikeData(200000, 5);
  std::string stream = Deflate(data, 6);
  InflateResult r;
  std::string out;
  ASSERT_EQ(Decode(stream, r, &out, 1000), kInflateOk);
  EXPECT_TRUE(out == data.substr(0, 1000) && r.size == data.size() && r.crc == ZlibCrc(data));
  EXPECT_TRUE(Decode(stream, r) == kInflateOk && r.crc == ZlibCrc(data));  // no output at all
  EXPECT_EQ(Inflate(Bytes(stream), stream.size(), nullptr, 0, r, data.size()), kInflateOk);
  EXPECT_EQ(Inflate(Bytes(stream), stream.size(), nullptr, 0, r, data.size() - 1), kInflateOverLimit);

  // A bomb: 256 MiB of zeros claimed to be 1000 bytes stops within a chunk or so.
  std::string bomb = Deflate(std::string(256u << 20, '\0'), 9);
  EXPECT_EQ(Inflate(Bytes(bomb), bomb.size(), nullptr, 0, r, 1000), kInflateOverLimit);
  EXPECT_LT(r.produced, 1u << 20);
}

TEST(Inflate, EveryCutOffStreamIsAnError) {
  std::string stream = Deflate(RomLikeData(5000, 6), 9);
  for (size_t cut = 0; cut < stream.size(); ++cut) EXPECT_EQ(Decode(stream.substr(0, cut)), kInflateError) << cut;
  std::string stored = Deflate(RomLikeData(5000, 6), 0);
  for (size_t cut = 0; cut < stored.size(); cut += 7) EXPECT_EQ(Decode(stored.substr(0, cut)), kInflateError) << cut;
}

TEST(Inflate, BadBlocksAndHeadersAreErrors) {
  // Streams written field by field: (value, bits) pairs, a negative count
  // writing a Huffman code of that length most significant bit first.
  const struct {
    std::vector<std::pair<uint32_t, int>> fields;
    int result;
    std::string out;
  } streams[] = {
      // Fixed blocks: 'a', then length 3 (symbol 257) at distance 2 (symbol 1): before the first byte.
      {{{1, 1}, {1, 2}, {0x30 + 'a', -8}, {1, -7}, {1, -5}, {0, -7}}, kInflateError, ""},
      {{{1, 1}, {1, 2}, {0x30 + 'a', -8}, {1, -7}, {0, -5}, {0, -7}}, kInflateOk, "aaaa"},  // distance 1
      {{{1, 1}, {1, 2}, {0xC6, -8}}, kInflateError, ""},                                    // length symbol 286
      {{{1, 1}, {1, 2}, {0x30 + 'a', -8}, {1, -7}, {30, -5}}, kInflateError, ""},           // distance symbol 30
      {{{1, 1}, {3, 2}, {0, 32}, {0, 32}}, kInflateError, ""},                              // block type 3
      // Dynamic headers: HLIT above 29, HDIST above 29; code-length codes 16 and 0 of one bit each, 16 first
      // has nothing to repeat; a single symbol (incomplete); 18 and 0, zero runs past the announced 258 lengths.
      {{{1, 1}, {2, 2}, {30, 5}, {0, 5}}, kInflateError, ""},
      {{{1, 1}, {2, 2}, {0, 5}, {30, 5}}, kInflateError, ""},
      {{{1, 1}, {2, 2}, {0, 5}, {0, 5}, {0, 4}, {1, 3}, {0, 3}, {0, 3}, {1, 3}, {1, 1}, {0, 2}}, kInflateError, ""},
      {{{1, 1}, {2, 2}, {0, 5}, {0, 5}, {0, 4}, {0, 3}, {0, 3}, {0, 3}, {1, 3}}, kInflateError, ""},
      {{{1, 1}, {2, 2}, {0, 5}, {0, 5}, {0, 4}, {0, 3}, {0, 3}, {1, 3}, {1, 3}, {1, 1}, {127, 7}, {1, 1}, {127, 7}},
       kInflateError, ""},
  };
  for (const auto& f : streams) {
    BitWriter w;
    for (auto [value, bits] : f.fields) bits < 0 ? w.Code(value, -bits) : w.Bits(value, bits);
    InflateResult r;
    std::string out;
    EXPECT_TRUE(Decode(w.Done() + (f.result == kInflateOk ? "" : std::string(64, '\0')), r, &out, f.out.size()) ==
                    f.result && out == f.out) << f.fields.size();
  }
  // Stored blocks: LEN and NLEN must agree, and LEN bytes must be there; a
  // non-final block with nothing after it runs out of input.
  InflateResult r;
  std::string out;
  EXPECT_TRUE(Decode(std::string("\x01\x03\x00\xFC\xFF", 5) + "abc", r, &out, 3) == kInflateOk && out == "abc");
  EXPECT_EQ(Decode(std::string("\x01\x03\x00\xFD\xFF", 5) + "abc"), kInflateError);
  EXPECT_EQ(Decode(std::string("\x01\x04\x00\xFB\xFF", 5) + "abc"), kInflateError);
  EXPECT_EQ(Decode(std::string("\x00\x00\x00\xFF\xFF", 5)), kInflateError);
}
