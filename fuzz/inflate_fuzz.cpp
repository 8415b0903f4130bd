// Inflate on any bytes: the same with or without output, stopped one byte short, and zlib's output where it accepts.
#include <cstring>
#include <vector>

#include "fuzz_target.h"
#include "romcheck/crc32.h"
#include "romcheck/inflate.h"

#ifdef KORVO_HAVE_ZLIB
#include <zlib.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kCapacity = 1 << 20;
  static std::vector<uint8_t> out(kCapacity), expected(kCapacity);  // reused: no page faults per input
  InflateResult with, without;
  int status = Inflate(data, size, out.data(), out.size(), with);
  int again = Inflate(data, size, nullptr, 0, without);
  if (status != again || with.crc != without.crc || with.produced != without.produced) std::abort();
  if (status != kInflateOk && status != kInflateError) std::abort();
  if (status == kInflateOk && with.produced <= kCapacity &&
      with.crc != Crc32(0, out.data(), static_cast<size_t>(with.produced)))
    std::abort();
  if (status == kInflateOk && with.produced > 0) {
    InflateResult limited;
    if (Inflate(data, size, nullptr, 0, limited, with.produced - 1) != kInflateOverLimit) std::abort();
  }

#ifdef KORVO_HAVE_ZLIB
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return 0;
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  z.next_out = expected.data();
  z.avail_out = static_cast<uInt>(expected.size());
  int zr = inflate(&z, Z_FINISH);
  size_t produced = z.total_out;
  inflateEnd(&z);
  if (zr == Z_STREAM_END &&  // what zlib accepts is accepted here with the same bytes
      (status != kInflateOk || with.produced != produced || std::memcmp(out.data(), expected.data(), produced) != 0))
    std::abort();
#endif
  return 0;
}
