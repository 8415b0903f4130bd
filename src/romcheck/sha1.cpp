#include "romcheck/sha1.h"

#include <cstring>
#include <string_view>

#if defined(__x86_64__) || defined(_M_X64)
#include <cpuid.h>
#include <immintrin.h>
#define KORVO_SHA_NI 1
#endif

namespace {

constexpr uint32_t kInitial[5] = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};

inline uint32_t Rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline uint32_t Be32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
         p[3];
}

void BlocksPortable(uint32_t* h, const uint8_t* data, size_t blocks) {
  uint32_t w[16];
  for (; blocks; --blocks, data += 64) {
    for (int i = 0; i < 16; ++i) w[i] = Be32(data + 4 * i);
    uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    for (int i = 0; i < 80; ++i) {
      uint32_t f, k;
      if (i >= 16) w[i & 15] = Rotl(w[(i + 13) & 15] ^ w[(i + 8) & 15] ^ w[(i + 2) & 15] ^ w[i & 15], 1);
      if (i < 20) {
        f = (b & c) | (~b & d);
        k = 0x5A827999u;
      } else if (i < 40) {
        f = b ^ c ^ d;
        k = 0x6ED9EBA1u;
      } else if (i < 60) {
        f = (b & c) | (b & d) | (c & d);
        k = 0x8F1BBCDCu;
      } else {
        f = b ^ c ^ d;
        k = 0xCA62C1D6u;
      }
      uint32_t t = Rotl(a, 5) + f + e + k + w[i & 15];
      e = d;
      d = c;
      c = Rotl(b, 30);
      b = a;
      a = t;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e;
  }
}

#ifdef KORVO_SHA_NI
#define KORVO_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))

// Four rounds per instruction. Group g (rounds 4g to 4g+3) feeds the message
// words held in m[g % 4] and, from group 3 on, extends the schedule three
// groups ahead; the extensions the last groups make are never used, which
// costs less than special-casing them.
#define KORVO_SHA_GROUP(k, ecur, enext, f)                \
  ecur = _mm_sha1nexte_epu32(ecur, m##k);                 \
  enext = abcd;                                           \
  m##k##_1 = _mm_sha1msg2_epu32(m##k##_1, m##k);           \
  abcd = _mm_sha1rnds4_epu32(abcd, ecur, f);              \
  m##k##_3 = _mm_sha1msg1_epu32(m##k##_3, m##k);           \
  m##k##_2 = _mm_xor_si128(m##k##_2, m##k);

KORVO_SHA_TARGET void BlocksShaNi(uint32_t* h, const uint8_t* data, size_t blocks) {
  const __m128i kByteSwap = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
  __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(h)), 0x1B);
  __m128i e0 = _mm_set_epi32(static_cast<int>(h[4]), 0, 0, 0), e1;
  __m128i m0, m1, m2, m3;
  // Names the macro uses for "the register k + n groups on" (mod 4).
#define m0_1 m1
#define m0_2 m2
#define m0_3 m3
#define m1_1 m2
#define m1_2 m3
#define m1_3 m0
#define m2_1 m3
#define m2_2 m0
#define m2_3 m1
#define m3_1 m0
#define m3_2 m1
#define m3_3 m2
  auto load = [&](int at) KORVO_SHA_TARGET {
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at)), kByteSwap);
  };
  for (; blocks; --blocks, data += 64) {
    const __m128i abcd_save = abcd, e0_save = e0;
    m0 = load(0);
    e0 = _mm_add_epi32(e0, m0);
    e1 = abcd;
    abcd = _mm_sha1rnds4_epu32(abcd, e0, 0);
    m1 = load(16);
    e1 = _mm_sha1nexte_epu32(e1, m1);
    e0 = abcd;
    abcd = _mm_sha1rnds4_epu32(abcd, e1, 0);
    m0 = _mm_sha1msg1_epu32(m0, m1);
    m2 = load(32);
    e0 = _mm_sha1nexte_epu32(e0, m2);
    e1 = abcd;
    abcd = _mm_sha1rnds4_epu32(abcd, e0, 0);
    m1 = _mm_sha1msg1_epu32(m1, m2);
    m0 = _mm_xor_si128(m0, m2);
    m3 = load(48);
    KORVO_SHA_GROUP(3, e1, e0, 0)
    KORVO_SHA_GROUP(0, e0, e1, 0)
    KORVO_SHA_GROUP(1, e1, e0, 1)
    KORVO_SHA_GROUP(2, e0, e1, 1)
    KORVO_SHA_GROUP(3, e1, e0, 1)
    KORVO_SHA_GROUP(0, e0, e1, 1)
    KORVO_SHA_GROUP(1, e1, e0, 1)
    KORVO_SHA_GROUP(2, e0, e1, 2)
    KORVO_SHA_GROUP(3, e1, e0, 2)
    KORVO_SHA_GROUP(0, e0, e1, 2)
    KORVO_SHA_GROUP(1, e1, e0, 2)
    KORVO_SHA_GROUP(2, e0, e1, 2)
    KORVO_SHA_GROUP(3, e1, e0, 3)
    KORVO_SHA_GROUP(0, e0, e1, 3)
    KORVO_SHA_GROUP(1, e1, e0, 3)
    KORVO_SHA_GROUP(2, e0, e1, 3)
    KORVO_SHA_GROUP(3, e1, e0, 3)
    e0 = _mm_sha1nexte_epu32(e0, e0_save);
    abcd = _mm_add_epi32(abcd, abcd_save);
  }
#undef m0_1
#undef m0_2
#undef m0_3
#undef m1_1
#undef m1_2
#undef m1_3
#undef m2_1
#undef m2_2
#undef m2_3
#undef m3_1
#undef m3_2
#undef m3_3
  _mm_storeu_si128(reinterpret_cast<__m128i*>(h), _mm_shuffle_epi32(abcd, 0x1B));
  h[4] = static_cast<uint32_t>(_mm_extract_epi32(e0, 3));
}

// Two messages' blocks at once: each step of the one above, done for both.
// The second message's rounds fill the time the first one's wait for their
// results.
#define KORVO_BOTH for (int l = 0; l < 2; ++l)
#define KORVO_SHA_GROUP2(k, k1, k2, k3, ecur, enext, f)    \
  KORVO_BOTH ecur[l] = _mm_sha1nexte_epu32(ecur[l], k[l]);  \
  KORVO_BOTH enext[l] = abcd[l];                            \
  KORVO_BOTH k1[l] = _mm_sha1msg2_epu32(k1[l], k[l]);       \
  KORVO_BOTH abcd[l] = _mm_sha1rnds4_epu32(abcd[l], ecur[l], f); \
  KORVO_BOTH k3[l] = _mm_sha1msg1_epu32(k3[l], k[l]);       \
  KORVO_BOTH k2[l] = _mm_xor_si128(k2[l], k[l]);

KORVO_SHA_TARGET void BlocksShaNiTwo(uint32_t* h0, const uint8_t* d0, uint32_t* h1, const uint8_t* d1, size_t blocks) {
  const __m128i kByteSwap = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
  uint32_t* h[2] = {h0, h1};
  const uint8_t* d[2] = {d0, d1};
  __m128i abcd[2], e0[2], e1[2], m0[2], m1[2], m2[2], m3[2];
  KORVO_BOTH abcd[l] = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(h[l])), 0x1B);
  KORVO_BOTH e0[l] = _mm_set_epi32(static_cast<int>(h[l][4]), 0, 0, 0);
  auto load = [&](int l, int at) KORVO_SHA_TARGET {
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(d[l] + at)), kByteSwap);
  };
  for (; blocks; --blocks) {
    __m128i abcd_save[2], e0_save[2];
    KORVO_BOTH abcd_save[l] = abcd[l], e0_save[l] = e0[l];
    KORVO_BOTH m0[l] = load(l, 0);
    KORVO_BOTH e0[l] = _mm_add_epi32(e0[l], m0[l]);
    KORVO_BOTH e1[l] = abcd[l];
    KORVO_BOTH abcd[l] = _mm_sha1rnds4_epu32(abcd[l], e0[l], 0);
    KORVO_BOTH m1[l] = load(l, 16);
    KORVO_BOTH e1[l] = _mm_sha1nexte_epu32(e1[l], m1[l]);
    KORVO_BOTH e0[l] = abcd[l];
    KORVO_BOTH abcd[l] = _mm_sha1rnds4_epu32(abcd[l], e1[l], 0);
    KORVO_BOTH m0[l] = _mm_sha1msg1_epu32(m0[l], m1[l]);
    KORVO_BOTH m2[l] = load(l, 32);
    KORVO_BOTH e0[l] = _mm_sha1nexte_epu32(e0[l], m2[l]);
    KORVO_BOTH e1[l] = abcd[l];
    KORVO_BOTH abcd[l] = _mm_sha1rnds4_epu32(abcd[l], e0[l], 0);
    KORVO_BOTH m1[l] = _mm_sha1msg1_epu32(m1[l], m2[l]);
    KORVO_BOTH m0[l] = _mm_xor_si128(m0[l], m2[l]);
    KORVO_BOTH m3[l] = load(l, 48);
    KORVO_SHA_GROUP2(m3, m0, m1, m2, e1, e0, 0)
    KORVO_SHA_GROUP2(m0, m1, m2, m3, e0, e1, 0)
    KORVO_SHA_GROUP2(m1, m2, m3, m0, e1, e0, 1)
    KORVO_SHA_GROUP2(m2, m3, m0, m1, e0, e1, 1)
    KORVO_SHA_GROUP2(m3, m0, m1, m2, e1, e0, 1)
    KORVO_SHA_GROUP2(m0, m1, m2, m3, e0, e1, 1)
    KORVO_SHA_GROUP2(m1, m2, m3, m0, e1, e0, 1)
    KORVO_SHA_GROUP2(m2, m3, m0, m1, e0, e1, 2)
    KORVO_SHA_GROUP2(m3, m0, m1, m2, e1, e0, 2)
    KORVO_SHA_GROUP2(m0, m1, m2, m3, e0, e1, 2)
    KORVO_SHA_GROUP2(m1, m2, m3, m0, e1, e0, 2)
    KORVO_SHA_GROUP2(m2, m3, m0, m1, e0, e1, 2)
    KORVO_SHA_GROUP2(m3, m0, m1, m2, e1, e0, 3)
    KORVO_SHA_GROUP2(m0, m1, m2, m3, e0, e1, 3)
    KORVO_SHA_GROUP2(m1, m2, m3, m0, e1, e0, 3)
    KORVO_SHA_GROUP2(m2, m3, m0, m1, e0, e1, 3)
    KORVO_SHA_GROUP2(m3, m0, m1, m2, e1, e0, 3)
    KORVO_BOTH e0[l] = _mm_sha1nexte_epu32(e0[l], e0_save[l]);
    KORVO_BOTH abcd[l] = _mm_add_epi32(abcd[l], abcd_save[l]);
    KORVO_BOTH d[l] += 64;
  }
  KORVO_BOTH _mm_storeu_si128(reinterpret_cast<__m128i*>(h[l]), _mm_shuffle_epi32(abcd[l], 0x1B));
  KORVO_BOTH h[l][4] = static_cast<uint32_t>(_mm_extract_epi32(e0[l], 3));
}
#undef KORVO_SHA_GROUP2
#undef KORVO_BOTH

bool CpuHasShaNi() {
  static const bool has = [] {
    unsigned a, b, c, d;
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
    bool sha = (b >> 29) & 1;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    bool sse41 = (c >> 19) & 1, ssse3 = (c >> 9) & 1;
    return sha && sse41 && ssse3;
  }();
  return has;
}
#endif

}  // namespace

bool Sha1HasHardwarePath() {
#ifdef KORVO_SHA_NI
  return CpuHasShaNi();
#else
  return false;
#endif
}

Sha1::Sha1(bool portable) : blocks_(BlocksPortable) {
#ifdef KORVO_SHA_NI
  if (!portable && CpuHasShaNi()) blocks_ = BlocksShaNi;
#endif
  std::memcpy(state_, kInitial, sizeof state_);
}

void Sha1::Update(const void* data, size_t length) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  total_ += length;
  if (pending_size_) {
    size_t n = length < 64 - pending_size_ ? length : 64 - pending_size_;
    std::memcpy(pending_ + pending_size_, p, n);
    pending_size_ += n;
    p += n;
    length -= n;
    if (pending_size_ < 64) return;
    blocks_(state_, pending_, 1);
    pending_size_ = 0;
  }
  if (length >= 64) {
    blocks_(state_, p, length / 64);
    p += length & ~size_t{63};
    length &= 63;
  }
  std::memcpy(pending_, p, length);
  pending_size_ = length;
}

void Sha1::UpdateTwo(Sha1& a, const void* data_a, Sha1& b, const void* data_b, size_t length) {
  size_t whole = 0;
#ifdef KORVO_SHA_NI
  if (a.blocks_ == BlocksShaNi && b.blocks_ == BlocksShaNi && a.pending_size_ == 0 && b.pending_size_ == 0) {
    whole = length & ~size_t{63};
    BlocksShaNiTwo(a.state_, static_cast<const uint8_t*>(data_a), b.state_, static_cast<const uint8_t*>(data_b),
                   whole / 64);
    a.total_ += whole;
    b.total_ += whole;
  }
#endif
  a.Update(static_cast<const uint8_t*>(data_a) + whole, length - whole);
  b.Update(static_cast<const uint8_t*>(data_b) + whole, length - whole);
}

Sha1Digest Sha1::Finish() {
  const uint64_t bits = total_ * 8;
  uint8_t tail[128] = {};
  std::memcpy(tail, pending_, pending_size_);
  tail[pending_size_] = 0x80;
  size_t size = pending_size_ < 56 ? 64 : 128;
  for (int i = 0; i < 8; ++i) tail[size - 1 - i] = static_cast<uint8_t>(bits >> (8 * i));
  blocks_(state_, tail, size / 64);
  Sha1Digest digest;
  for (int i = 0; i < 5; ++i)
    for (int k = 0; k < 4; ++k) digest[4 * i + k] = static_cast<uint8_t>(state_[i] >> (24 - 8 * k));
  return digest;
}

Sha1Digest Sha1Of(const void* data, size_t length) {
  Sha1 sha;
  sha.Update(data, length);
  return sha.Finish();
}

std::string Sha1Hex(const Sha1Digest& digest) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text(40, '0');
  for (size_t i = 0; i < digest.size(); ++i) {
    text[2 * i] = kDigits[digest[i] >> 4];
    text[2 * i + 1] = kDigits[digest[i] & 15];
  }
  return text;
}

bool ParseSha1Hex(std::string_view text, Sha1Digest& digest) {
  if (text.size() != 40) return false;
  for (size_t i = 0; i < 40; ++i) {
    char c = text[i];
    int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (v < 0) return false;
    if (i % 2 == 0)
      digest[i / 2] = static_cast<uint8_t>(v << 4);
    else
      digest[i / 2] |= static_cast<uint8_t>(v);
  }
  return true;
}
