// SHA-1 (FIPS 180-4), fed piece by piece. ROM listings name every file by its
// CRC-32 and SHA-1; the CRC alone can be matched by damaged or doctored data,
// the SHA-1 cannot in practice. The processor's SHA instructions are used
// where it has them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using Sha1Digest = std::array<uint8_t, 20>;

class Sha1 {
 public:
  // `portable` forces the plain C++ rounds, so tests can hold the fast path
  // against them.
  explicit Sha1(bool portable = false);
  void Update(const void* data, size_t length);
  // The digest of everything fed so far; the object must not be fed again.
  Sha1Digest Finish();

  // Feeds `length` bytes to each of two hashers: on the processor's SHA
  // instructions two messages take little more time than one, as each
  // round waits on the one before it. Where both stand at a block boundary
  // (fresh, or fed whole blocks) their blocks go through together.
  static void UpdateTwo(Sha1& a, const void* data_a, Sha1& b, const void* data_b, size_t length);

 private:
  using BlocksFn = void (*)(uint32_t* state, const uint8_t* data, size_t blocks);
  BlocksFn blocks_;
  uint32_t state_[5];
  uint8_t pending_[64];
  size_t pending_size_ = 0;
  uint64_t total_ = 0;
};

Sha1Digest Sha1Of(const void* data, size_t length);

// 40 lower-case hexadecimal digits, as MAME prints them.
std::string Sha1Hex(const Sha1Digest& digest);
// False unless `text` is exactly 40 hexadecimal digits (either case).
bool ParseSha1Hex(std::string_view text, Sha1Digest& digest);

// Whether Sha1 uses the processor's SHA instructions here.
bool Sha1HasHardwarePath();
