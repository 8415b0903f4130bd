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

// A dynamic block header whose code-length code gives every length 0-15 a
// 4-bit code, so any literal/length and distance lengths can be written
// without runs.
void DynamicHeader(BitWriter& w, const std::vector<int>& lit, const std::vector<int>& dist, bool final_block = true) {
  w.Bits(final_block, 1);
  w.Bits(2, 2);
  w.Bits(static_cast<uint32_t>(lit.size() - 257), 5);
  w.Bits(static_cast<uint32_t>(dist.size() - 1), 5);
  w.Bits(15, 4);  // all 19 code-length lengths follow
  const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  for (int sym : order) w.Bits(sym < 16 ? 4 : 0, 3);
  for (int len : lit) w.Code(static_cast<uint32_t>(len), 4);
  for (int len : dist) w.Code(static_cast<uint32_t>(len), 4);
}

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

TEST(Inflate, BadBlocksAreErrors) {
  // Fixed blocks written field by field: (value, bits) pairs, a negative count
  // writing a Huffman code of that length most significant bit first.
  const struct {
    std::vector<std::pair<uint32_t, int>> fields;
    int result;
    std::string out;
  } fixed[] = {
      // 'a', then length 3 (symbol 257) at distance 2 (symbol 1): before the first byte.
      {{{1, 1}, {1, 2}, {0x30 + 'a', -8}, {1, -7}, {1, -5}, {0, -7}}, kInflateError, ""},
      {{{1, 1}, {1, 2}, {0x30 + 'a', -8}, {1, -7}, {0, -5}, {0, -7}}, kInflateOk, "aaaa"},  // distance 1
      {{{1, 1}, {1, 2}, {0xC6, -8}}, kInflateError, ""},                                    // length symbol 286
      {{{1, 1}, {1, 2}, {0x30 + 'a', -8}, {1, -7}, {30, -5}}, kInflateError, ""},           // distance symbol 30
      {{{1, 1}, {3, 2}, {0, 32}, {0, 32}}, kInflateError, ""},                              // block type 3
  };
  for (const auto& f : fixed) {
    BitWriter w;
    for (auto [value, bits] : f.fields) bits < 0 ? w.Code(value, -bits) : w.Bits(value, bits);
    InflateResult r;
    std::string out;
    EXPECT_TRUE(Decode(w.Done(), r, &out, f.out.size()) == f.result && out == f.out) << f.fields.size();
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

TEST(Inflate, DynamicCodeRules) {
  // Dynamic blocks of the given literal/length code lengths (no distance code),
  // then these codes: (code, length) pairs.
  const struct {
    std::vector<std::pair<int, int>> lengths;
    std::vector<std::pair<uint32_t, int>> codes;
    int result;
    std::string out;
  } blocks[] = {
      // Only the end-of-block code, of any length: an empty block; its code is all zero bits.
      {{{256, 15}}, {{0, 15}}, kInflateOk, ""},
      {{{256, 3}}, {{1, 3}}, kInflateError, ""},
      // Literals with no distance code decode; a match then fails.
      {{{'x', 1}, {256, 2}, {257, 2}}, {{0, 1}, {0, 1}, {2, 2}}, kInflateOk, "xx"},
      {{{'x', 1}, {256, 2}, {257, 2}}, {{0, 1}, {3, 2}, {0, 1}}, kInflateError, ""},
      // Over-subscribed, incomplete with two symbols, and no end-of-block code.
      {{{'x', 1}, {'y', 1}, {256, 1}}, {}, kInflateError, ""},
      {{{'x', 1}, {256, 2}}, {}, kInflateError, ""},
      {{{'x', 1}, {'y', 1}}, {}, kInflateError, ""},
  };
  BitWriter w;
  for (const auto& b : blocks) {
    std::vector<int> lit(258, 0);
    for (auto [sym, len] : b.lengths) lit[static_cast<size_t>(sym)] = len;
    DynamicHeader(w, lit, {0});
    for (auto [code, len] : b.codes) w.Code(code, len);
    InflateResult r;
    std::string out;
    EXPECT_EQ(Decode(w.Done() + (b.result == kInflateOk ? "" : std::string(4, '\0')), r, &out, b.out.size()), b.result);
    EXPECT_TRUE(out == b.out && (b.result != kInflateOk || r.produced == b.out.size()));
  }

  // Dynamic headers refused before any code: (value, bit count) pairs after BFINAL and BTYPE 2.
  const std::vector<std::vector<std::pair<uint32_t, int>>> headers = {
      {{30, 5}, {0, 5}},  // HLIT above 29
      {{0, 5}, {30, 5}},  // HDIST above 29
      // Code-length codes: 16 and 0 of one bit each, 16 first has nothing to repeat; a single symbol
      // (incomplete); 18 and 0, zero runs past the announced 258 lengths.
      {{0, 5}, {0, 5}, {0, 4}, {1, 3}, {0, 3}, {0, 3}, {1, 3}, {1, 1}, {0, 2}},
      {{0, 5}, {0, 5}, {0, 4}, {0, 3}, {0, 3}, {0, 3}, {1, 3}},
      {{0, 5}, {0, 5}, {0, 4}, {0, 3}, {0, 3}, {1, 3}, {1, 3}, {1, 1}, {127, 7}, {1, 1}, {127, 7}},
  };
  for (const auto& header : headers) {
    w.Bits(1, 1), w.Bits(2, 2);
    for (auto [value, count] : header) w.Bits(value, count);
    EXPECT_EQ(Decode(w.Done() + std::string(64, '\0')), kInflateError) << header.size();
  }
}

TEST(Inflate, MatchesAtEveryShortDistanceAndEveryLengthAndCodesOfFifteenBits) {
  // Overlapping copies (distances below the copy word), runs of one byte,
  // word-sized and far distances, each with every length 3-258: a period of
  // `distance` random bytes repeated `length` bytes on, then a random byte.
  std::mt19937 rng(7);
  std::string periodic;
  std::vector<int> distances;
  for (int d = 1; d <= 40; ++d) distances.push_back(d);
  for (int d : {255, 256, 1000, 24577}) distances.push_back(d);
  for (int distance : distances)
    for (int length = 3; length <= 258; ++length) {
      for (int i = 0; i < distance; ++i) periodic.push_back(static_cast<char>(rng()));
      for (int i = 0; i < length; ++i) periodic.push_back(periodic[periodic.size() - static_cast<size_t>(distance)]);
      periodic.push_back(static_cast<char>(rng()));
    }
  // Bytes of very uneven frequency give literal codes of the longest length, 15 bits.
  std::string uneven;
  for (int i = 0; i < (1 << 20); ++i) {
    int k = 0;
    while ((rng() & 1) && k < 40) ++k;
    uneven.push_back(static_cast<char>(k * 5));
  }
  for (const std::string* data : {&periodic, &uneven}) {
    std::string stream = Deflate(*data, 9);
    InflateResult r;
    std::string out;
    ASSERT_EQ(Decode(stream, r, &out, data->size()), kInflateOk);
    EXPECT_TRUE(out == *data && r.produced == data->size() && r.crc == ZlibCrc(*data));
  }
}
