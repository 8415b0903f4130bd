#include "romcheck/crc32.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#define KORVO_CRC_CLMUL 1
#endif

namespace {

// Eight 256-entry tables: table[0] is the classic byte table, table[k][b] the
// CRC of byte b followed by k zero bytes. Built at compile time, so threads
// never race to build them.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr CrcTables MakeTables() {
  CrcTables t{};
  for (uint32_t b = 0; b < 256; ++b) {
    uint32_t c = b;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    t[0][b] = c;
  }
  for (int k = 1; k < 8; ++k)
    for (uint32_t b = 0; b < 256; ++b) t[k][b] = (t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF];
  return t;
}

constexpr CrcTables kTables = MakeTables();

// Works on the raw register (no complements).
uint32_t RawSlicing8(uint32_t c, const uint8_t* p, size_t n) {
  while (n && (reinterpret_cast<uintptr_t>(p) & 7)) {
    c = (c >> 8) ^ kTables[0][(c ^ *p++) & 0xFF];
    --n;
  }
  while (n >= 8) {
    uint32_t lo, hi;
    std::memcpy(&lo, p, 4);
    std::memcpy(&hi, p + 4, 4);
    lo ^= c;  // little-endian hosts only (x86-64 and the Windows target)
    c = kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^
        kTables[4][lo >> 24] ^ kTables[3][hi & 0xFF] ^ kTables[2][(hi >> 8) & 0xFF] ^
        kTables[1][(hi >> 16) & 0xFF] ^ kTables[0][hi >> 24];
    p += 8;
    n -= 8;
  }
  while (n--) c = (c >> 8) ^ kTables[0][(c ^ *p++) & 0xFF];
  return c;
}

#ifdef KORVO_CRC_CLMUL
// Folding with carry-less multiplication: four 128-bit lanes absorb 64 bytes
// per round; the constants are x^(k) mod P for the fold distances (512 and 128
// bits) in the reflected domain. What remains after folding is a 16-byte block
// with the same CRC contribution as everything folded into it, finished with
// the tables, so no Barrett reduction is needed.
#define KORVO_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

KORVO_CLMUL_TARGET inline __m128i load(const uint8_t* q) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}

KORVO_CLMUL_TARGET inline __m128i fold(__m128i x, __m128i data, __m128i k) {
  __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
  __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(lo, hi), data);
}

KORVO_CLMUL_TARGET uint32_t RawClmul(uint32_t c, const uint8_t* p, size_t n) {
  if (n < 64) return RawSlicing8(c, p, n);
  const __m128i k1k2 = _mm_set_epi64x(0x1c6e41596LL, 0x154442bd4LL);
  const __m128i k3k4 = _mm_set_epi64x(0x0ccaa009eLL, 0x1751997d0LL);
  __m128i x0 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(static_cast<int>(c)));
  __m128i x1 = load(p + 16), x2 = load(p + 32), x3 = load(p + 48);
  p += 64;
  n -= 64;
  while (n >= 64) {
    x0 = fold(x0, load(p), k1k2);
    x1 = fold(x1, load(p + 16), k1k2);
    x2 = fold(x2, load(p + 32), k1k2);
    x3 = fold(x3, load(p + 48), k1k2);
    p += 64;
    n -= 64;
  }
  x0 = fold(x0, x1, k3k4);
  x0 = fold(x0, x2, k3k4);
  x0 = fold(x0, x3, k3k4);
  while (n >= 16) {
    x0 = fold(x0, load(p), k3k4);
    p += 16;
    n -= 16;
  }
  alignas(16) uint8_t rest[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(rest), x0);
  c = RawSlicing8(0, rest, 16);
  return RawSlicing8(c, p, n);
}

bool HasClmul() {
  static const bool has = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
  return has;
}
#endif

}  // namespace

uint32_t Crc32Portable(uint32_t start, const void* data, size_t length) {
  return ~RawSlicing8(~start, static_cast<const uint8_t*>(data), length);
}

uint32_t Crc32(uint32_t start, const void* data, size_t length) {
#ifdef KORVO_CRC_CLMUL
  if (HasClmul()) return ~RawClmul(~start, static_cast<const uint8_t*>(data), length);
#endif
  return Crc32Portable(start, data, length);
}
