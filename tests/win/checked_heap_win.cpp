// The Windows tests run the launcher's code without the sanitizers of the portable tests. This replacement of new and
// delete finds the memory faults a window's way out is prone to: a block deleted as a type of another size (a message
// of one window taken and freed by another), deleted twice, or never made by new.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "main_window_fixture_win.h"

namespace {
struct alignas(16) Header { size_t size; uint32_t state; };  // before each block; keeps new's alignment
constexpr uint32_t kLive = 0x4C495645, kFreed = 0x46524545;

std::atomic<bool> faulted{false};
char fault[200];  // the first fault, written once

void Note(const std::string& what, void* caller) {
  if (faulted.exchange(true)) return;
  const uintptr_t offset = reinterpret_cast<uintptr_t>(caller) - reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr));
  std::snprintf(fault, sizeof fault, "%s, at korvo_win_tests+0x%llx", what.c_str(), static_cast<unsigned long long>(offset));
}

void* Allocate(size_t size) {
  auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
  if (!header) throw std::bad_alloc();
  *header = {size, kLive};
  return header + 1;
}

void Release(void* block, size_t size, void* caller) {
  if (!block) return;
  Header* header = static_cast<Header*>(block) - 1;
  if (header->state != kLive) return Note("a block deleted twice, or not made by new", caller);
  if (size && size != header->size)
    Note("a block made as " + std::to_string(header->size) + " bytes deleted as " + std::to_string(size), caller);
  header->state = kFreed;
  std::free(header);
}

const bool installed = (g_heap_fault = [] { return faulted.exchange(false) ? std::string(fault) : std::string(); }, true);
}  // namespace

// The array forms and the library's other defaults come through these.
void* operator new(size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block, 0, __builtin_return_address(0)); }
void operator delete(void* block, size_t size) noexcept { Release(block, size, __builtin_return_address(0)); }
