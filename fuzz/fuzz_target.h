// What every fuzz target shares: the entry point, std::abort for a broken promise, and the input read as text.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

inline std::string_view FuzzText(const uint8_t* data, size_t size) { return {reinterpret_cast<const char*>(data), size}; }
