#include "ui/tool_bar_accessible_win.h"

#include <memory>
#include <vector>

#include "ui/accessible_object_win.h"
#include "ui/tool_bar_win.h"

namespace {
// The bar's client object. Children 1..n are its items, left to right; what
// the bar itself answers (parent, focus, its place) comes from the system's
// standard object for the window.
class ToolBarAccessible final : public AccessibleObject {
 public:
  using AccessibleObject::AccessibleObject;

  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = static_cast<long>(ToolBarItems(window_).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Item(child) ? S_FALSE : E_INVALIDARG;  // the items are simple elements of this object
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (IsSelf(child)) return Text("Toolbar", name);
    const std::unique_ptr<ToolBarItem> item = Item(child);
    if (!item) return E_INVALIDARG;
    return item->name ? Text(item->name, name) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return value ? (*value = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return text ? (*text = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    VariantInit(role);
    role->vt = VT_I4;
    if (IsSelf(child)) return role->lVal = ROLE_SYSTEM_TOOLBAR, S_OK;
    const std::unique_ptr<ToolBarItem> item = Item(child);
    if (!item) return role->vt = VT_EMPTY, E_INVALIDARG;
    role->lVal = item->command_id ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_SEPARATOR;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    if (IsSelf(child)) return standard_->get_accState(child, state);
    VariantInit(state);
    const std::unique_ptr<ToolBarItem> item = Item(child);
    if (!item) return E_INVALIDARG;
    state->vt = VT_I4;
    state->lVal = 0;
    if (item->command_id && !IsToolEnabled(window_, item->command_id)) state->lVal |= STATE_SYSTEM_UNAVAILABLE;
    if (item->command_id && IsToolChecked(window_, item->command_id)) state->lVal |= STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED;
    if (!IsWindowVisible(window_)) state->lVal |= STATE_SYSTEM_INVISIBLE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return help ? (*help = nullptr, S_FALSE) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long*) override {
    return file ? (*file = nullptr, S_FALSE) : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override {
    return keys ? (*keys = nullptr, S_FALSE) : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!action) return E_POINTER;
    *action = nullptr;
    if (IsSelf(child)) return S_FALSE;
    const std::unique_ptr<ToolBarItem> item = Item(child);
    if (!item) return E_INVALIDARG;
    return item->command_id ? Text("Press", action) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    if (!x || !y || !w || !h) return E_POINTER;
    if (IsSelf(child)) return standard_->accLocation(x, y, w, h, child);
    const std::unique_ptr<ToolBarItem> item = Item(child);
    if (!item) return E_INVALIDARG;
    POINT corner = {item->rect.left, item->rect.top};
    ClientToScreen(window_, &corner);
    *x = corner.x, *y = corner.y;
    *w = item->rect.right - item->rect.left, *h = item->rect.bottom - item->rect.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    VariantInit(end);
    const long count = static_cast<long>(ToolBarItems(window_).size());
    long next = 0;
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD) next = 1;
      else if (direction == NAVDIR_LASTCHILD) next = count;
      else return standard_->accNavigate(direction, start, end);
    } else {
      if (!Item(start)) return E_INVALIDARG;
      if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) next = start.lVal + 1;
      else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) next = start.lVal - 1;
    }
    if (next < 1 || next > count) return S_FALSE;
    end->vt = VT_I4;
    end->lVal = next;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    VariantInit(hit);
    POINT at = {x, y};
    ScreenToClient(window_, &at);
    RECT client;
    GetClientRect(window_, &client);
    if (!PtInRect(&client, at)) return S_FALSE;
    hit->vt = VT_I4;
    hit->lVal = CHILDID_SELF;
    const std::vector<ToolBarItem> items = ToolBarItems(window_);
    for (size_t i = 0; i < items.size(); ++i)
      if (PtInRect(&items[i].rect, at)) hit->lVal = static_cast<long>(i + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const std::unique_ptr<ToolBarItem> item = Item(child);
    if (!item || !item->command_id) return DISP_E_MEMBERNOTFOUND;
    PressTool(window_, item->command_id);
    return S_OK;
  }

 private:
  // The item a child id names, or none.
  std::unique_ptr<ToolBarItem> Item(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal < 1) return nullptr;
    const std::vector<ToolBarItem> items = ToolBarItems(window_);
    if (static_cast<size_t>(child.lVal) > items.size()) return nullptr;
    return std::make_unique<ToolBarItem>(items[static_cast<size_t>(child.lVal - 1)]);
  }
};
}  // namespace

bool ToolBarGetObject(HWND bar, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  return AnswerGetObject(bar, wparam, lparam, result,
                         [](HWND window, IAccessible* standard) { return new ToolBarAccessible(window, standard); });
}
