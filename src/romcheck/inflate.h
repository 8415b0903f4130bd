// Raw DEFLATE decoding (RFC 1951) through a fixed-size sliding window: the
// checker never holds a whole member, only the count and CRC-32 of what it
// produced.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kInflateOk = 0;
constexpr int kInflateError = -1;
// More than `limit` bytes would come out: decoding stopped early. A member
// that unpacks to more than its directory says is wrong however it ends, and
// stopping keeps a "zip bomb" from running for minutes.
constexpr int kInflateOverLimit = -2;
// The sink asked to stop (the caller was cancelled).
constexpr int kInflateStopped = -3;

// Receives every produced byte in order, in pieces of at most 64 KiB, while
// they are still in the cache: a second checksum costs no second pass.
// Returning false stops decoding with kInflateStopped.
struct InflateSink {
  bool (*take)(void* context, const uint8_t* data, size_t length) = nullptr;
  void* context = nullptr;
};

struct InflateResult {
  uint32_t crc = 0;       // CRC-32 of every byte produced
  uint32_t size = 0;      // bytes produced, modulo 2^32
  uint64_t produced = 0;  // bytes produced, not wrapped
};

// Decodes `length` bytes of raw DEFLATE data. When `output` is given, produced
// bytes are also copied into it up to `capacity`; bytes beyond it are still
// counted and checksummed. Trailing input after the final block is ignored.
int Inflate(const uint8_t* input, size_t length, uint8_t* output, size_t capacity, InflateResult& result,
            uint64_t limit = UINT64_MAX, const InflateSink* sink = nullptr);
