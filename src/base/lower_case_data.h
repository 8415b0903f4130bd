// The generated simple lower-case table (lower_case_data.cpp): ranges in
// ascending order, each mapping first, first + step, ... last by `delta`.
#pragma once
#include <cstddef>
#include <cstdint>

struct LowerCaseRange {
  uint16_t first;
  uint16_t last;
  int32_t delta;
  uint8_t step;  // 1: every code point of the range, 2: every other one
};

extern const LowerCaseRange kLowerCaseRanges[];
extern const size_t kLowerCaseRangeCount;
