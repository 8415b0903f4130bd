#include "romcheck/inflate.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "romcheck/crc32.h"
#include "romcheck/zip_test_util.h"

using namespace ziptest;

namespace {

int Decode(const std::string& stream, InflateResult& r, std::string* out = nullptr, size_t capacity = 0) {
  if (out) out->assign(capacity, '\0');
  return Inflate(Bytes(stream), stream.size(), out ? reinterpret_cast<uint8_t*>(out->data()) : nullptr, capacity, r);
}
}  // namespace

TEST(Inflate, Crc32AndOutputMatchZlibBeyondTheCapacityAndUpToTheLimit) {
  // The CRC-32: known values, continuation, and the fast path at every length and alignment.
  EXPECT_TRUE(Crc32(0, "123456789", 9) == 0xCBF43926u && Crc32(0, "", 0) == 0u);
  std::string bytes = RomLikeData(100000, 1);
  uint32_t whole = Crc32(0, bytes.data(), bytes.size());
  EXPECT_TRUE(whole == ZlibCrc(bytes) && Crc32(Crc32(0, bytes.data(), 777), bytes.data() + 777, bytes.size() - 777) == whole);
  for (size_t offset = 0; offset < 16; ++offset)
    for (size_t length = 0; length < 4096; length += (length < 300 ? 1 : 61)) {
      const char* p = bytes.data() + offset;
      ASSERT_EQ(Crc32(0x12345678u, p, length), Crc32Portable(0x12345678u, p, length)) << offset << " " << length;
    }

  // Runs with short periods: matches at distances 2 to 7 are copied word by word.
  std::string periodic;
  for (int period = 2; period <= 7; ++period)
    for (int i = 0; i < 3000; ++i) periodic += static_cast<char>('a' + i % period);
  const std::vector<std::string> inputs = {"", "a", RomLikeData(3000, 3), RomLikeData(700000, 4),
                                           std::string(300000, '\0'), periodic};
  for (const std::string& data : inputs)
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED})
      for (int level : {0, 1, 6, 9}) {
        std::string stream = Deflate(data, level, strategy);
        InflateResult r;
        std::string out;
        ASSERT_EQ(Decode(stream, r, &out, data.size()), kInflateOk) << data.size() << " " << level << " " << strategy;
        EXPECT_TRUE(out == data && r.produced == data.size() && r.crc == ZlibCrc(data));
      }

  std::string data = RomLikeData(200000, 5), stream = Deflate(data, 6), out;
  InflateResult r;
  ASSERT_EQ(Decode(stream, r, &out, 1000), kInflateOk);
  EXPECT_TRUE(out == data.substr(0, 1000) && r.size == data.size() && r.crc == ZlibCrc(data));
  EXPECT_EQ(Inflate(Bytes(stream), stream.size(), nullptr, 0, r, data.size()), kInflateOk);
  EXPECT_EQ(Inflate(Bytes(stream), stream.size(), nullptr, 0, r, data.size() - 1), kInflateOverLimit);
  std::string stored = Deflate(data, 0);  // stored blocks stop at the limit the same way
  EXPECT_EQ(Inflate(Bytes(stored), stored.size(), nullptr, 0, r, 1000), kInflateOverLimit);

  // A bomb: 256 MiB of zeros claimed to be 1000 bytes stops within a chunk or so.
  std::string bomb = Deflate(std::string(256u << 20, '\0'), 9);
  EXPECT_EQ(Inflate(Bytes(bomb), bomb.size(), nullptr, 0, r, 1000), kInflateOverLimit);
  EXPECT_LT(r.produced, 1u << 20);
}

TEST(Inflate, CutOffStreamsBadBlocksAndBadHeadersAreErrors) {
  std::string stream = Deflate(RomLikeData(5000, 6), 9);
  InflateResult r;
  for (size_t cut = 0; cut < stream.size(); ++cut) EXPECT_EQ(Decode(stream.substr(0, cut), r), kInflateError) << cut;
  // The rest of the stream right behind the end it is given is not read either.
  for (size_t cut : {stream.size() - 1, stream.size() - 6}) EXPECT_EQ(Inflate(Bytes(stream), cut, nullptr, 0, r), kInflateError);
  std::string stored = Deflate(RomLikeData(5000, 6), 0);
  for (size_t cut = 0; cut < stored.size(); cut += 7) EXPECT_EQ(Decode(stored.substr(0, cut), r), kInflateError) << cut;

  // Hand-made streams; Huffman ones get zero bytes after them, so only the fault named stops them, not the input's end.
  const std::tuple<std::string, bool, const char*> bad[] = {
      {std::string("\x4B\x04\x42\x00", 4), true, "fixed: 'a', then a match at distance 2, before the first byte"},
      {"\x1B\x03", true, "fixed: length symbol 286"},
      {"\x4B\x04\x3E", true, "fixed: distance symbol 30"},
      {"\x07", true, "block type 3"},
      {"\xF5", true, "dynamic: HLIT above 29"},
      {"\x05\x1E", true, "dynamic: HDIST above 29"},
      {std::string("\x05\x00\x02\x24", 4), true, "code-length codes 16 and 0: a 16 first has nothing to repeat"},
      {std::string("\x05\x00\x00\x04", 4), true, "a code-length code of a single symbol (incomplete)"},
      {std::string("\x05\x00\x80\xE4\xFF\x1F", 6), true, "code-length codes 18 and 0: zeros past the 258 lengths"},
      {std::string("\x01\x03\x00\xFD\xFF", 5) + "abc", false, "stored: LEN and NLEN disagree"},
      {std::string("\x01\x04\x00\xFB\xFF", 5) + "abc", false, "stored: fewer than LEN bytes"},
      {std::string("\x00\x00\x00\xFF\xFF", 5), false, "stored: not final, and nothing after it"},
  };
  for (const auto& [stream, padded, what] : bad)
    EXPECT_EQ(Decode(stream + std::string(padded ? 64 : 0, '\0'), r), kInflateError) << what;
  // The same fields made right: a match at distance 1 repeats the byte; a sound stored block.
  std::string out;
  EXPECT_TRUE(Decode(std::string("\x4B\x04\x02\x00", 4), r, &out, 4) == kInflateOk && out == "aaaa");
  EXPECT_TRUE(Decode(std::string("\x01\x03\x00\xFC\xFF", 5) + "abc", r, &out, 3) == kInflateOk && out == "abc");
}
