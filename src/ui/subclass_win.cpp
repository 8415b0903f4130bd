#include "ui/subclass_win.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {
struct Link {
  SubclassProcedure procedure;  // null once removed (kept until no message runs)
  UINT_PTR id;
  DWORD_PTR data;
};

struct Chain {
  WNDPROC original = nullptr;
  std::vector<Link> links;  // the latest on top, at the back
  int running = 0;          // the index of the procedure now handling a message
  int depth = 0;            // messages being handled, nested ones included
  bool destroyed = false;   // WM_NCDESTROY came; the chain goes when its last message ends
};

// Windows are subclassed from their own thread, which alone dispatches their messages.
thread_local std::unordered_map<HWND, std::unique_ptr<Chain>> chains;

Chain* ChainOf(HWND window) {
  auto found = chains.find(window);
  return found == chains.end() ? nullptr : found->second.get();
}

void DropRemovedLinks(Chain& chain) {
  std::erase_if(chain.links, [](const Link& link) { return link.procedure == nullptr; });
}

LRESULT CALLBACK ChainStart(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Chain* chain = ChainOf(window);
  if (!chain) return DefWindowProcW(window, message, wparam, lparam);
  const int outer = chain->running;
  chain->running = static_cast<int>(chain->links.size());
  ++chain->depth;
  LRESULT result = CallNextSubclass(window, message, wparam, lparam);
  --chain->depth;
  chain->running = outer;
  // A window destroyed from inside one of its own messages hears WM_NCDESTROY
  // nested; its chain goes once the outermost message has ended, before the
  // handle can be reused.
  if (message == WM_NCDESTROY) chain->destroyed = true;
  if (chain->depth == 0) {
    if (chain->destroyed) {
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
      chains.erase(window);
    } else {
      DropRemovedLinks(*chain);
    }
  }
  return result;
}
}  // namespace

bool AddSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data) {
  // The chain would sit in this thread's table while the window's own thread
  // dispatches its messages, and find none.
  if (!window || !procedure || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return false;
  Chain* chain = ChainOf(window);
  if (!chain) {
    auto fresh = std::make_unique<Chain>();
    SetLastError(0);
    fresh->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainStart)));
    if (!fresh->original) return false;
    chain = chains.emplace(window, std::move(fresh)).first->second.get();
  }
  for (Link& link : chain->links) {
    if (link.procedure == procedure && link.id == id) {
      link.data = data;
      return true;
    }
  }
  chain->links.push_back({procedure, id, data});
  return true;
}

void RemoveSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id) {
  Chain* chain = ChainOf(window);
  if (!chain) return;
  for (Link& link : chain->links)
    if (link.procedure == procedure && link.id == id) link.procedure = nullptr;
  if (chain->depth == 0) DropRemovedLinks(*chain);
}

bool FindSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR* data) {
  Chain* chain = ChainOf(window);
  if (!chain) return false;
  for (const Link& link : chain->links) {
    if (link.procedure == procedure && link.id == id) {
      if (data) *data = link.data;
      return true;
    }
  }
  return false;
}

LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Chain* chain = ChainOf(window);
  if (!chain) return DefWindowProcW(window, message, wparam, lparam);
  const int caller = chain->running;
  int next = std::min(caller, static_cast<int>(chain->links.size())) - 1;
  while (next >= 0 && !chain->links[next].procedure) --next;
  chain->running = next;
  LRESULT result = 0;
  if (next >= 0) {
    const Link link = chain->links[next];
    result = link.procedure(window, message, wparam, lparam, link.id, link.data);
  } else {
    result = CallWindowProcW(chain->original, window, message, wparam, lparam);
  }
  chain->running = caller;  // alive: chains go only when no message of theirs runs
  return result;
}
