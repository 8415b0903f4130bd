// CRC-32 of the zip format (reflected polynomial 0xEDB88320, complemented
// before and after), continuable: Crc32(Crc32(0, a), b) == Crc32(0, a + b).
#pragma once
#include <cstddef>
#include <cstdint>

uint32_t Crc32(uint32_t start, const void* data, size_t length);

// The portable slicing-by-8 path alone, so tests can hold the fast path
// (carry-less multiplication where the processor has it) against it.
uint32_t Crc32Portable(uint32_t start, const void* data, size_t length);
