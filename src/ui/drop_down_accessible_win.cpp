#include "ui/drop_down_accessible_win.h"

#include <string>

#include "base/utf16_win.h"
#include "ui/accessible_object_win.h"
#include "ui/drop_down_win.h"

namespace {
class DropDownAccessible final : public AccessibleObject {
 public:
  DropDownAccessible(HWND window, IAccessible* standard, std::string name)
      : AccessibleObject(window, standard), name_(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child) || name_.empty()) return AccessibleObject::get_accName(child, name);
    return name ? Text(name_.c_str(), name) : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    if (!IsSelf(child)) return E_INVALIDARG;
    wchar_t text[256] = L"";
    GetWindowTextW(window_, text, 256);
    return Text(Utf16ToUtf8(text).c_str(), value);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    if (!IsSelf(child)) return AccessibleObject::get_accRole(child, role);
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_COMBOBOX;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    HRESULT answer = AccessibleObject::get_accState(child, state);
    if (FAILED(answer) || !IsSelf(child) || state->vt != VT_I4) return answer;
    state->lVal |= STATE_SYSTEM_HASPOPUP | (DropDownList(window_) ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    if (!IsSelf(child)) return AccessibleObject::get_accKeyboardShortcut(child, keys);
    return keys ? Text("Alt+Down", keys) : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child)) return AccessibleObject::get_accDefaultAction(child, action);
    return action ? Text(DropDownList(window_) ? "Close" : "Open", action) : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child)) return AccessibleObject::accDoDefaultAction(child);
    if (!IsWindowEnabled(window_)) return DISP_E_MEMBERNOTFOUND;
    SendMessageW(window_, CB_SHOWDROPDOWN, DropDownList(window_) == nullptr, 0);
    return S_OK;
  }

 private:
  std::string name_;
};
}  // namespace

bool DropDownGetObject(HWND drop_down, const std::string& name, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  return AnswerGetObject(drop_down, wparam, lparam, result, [&name](HWND window, IAccessible* standard) {
    return new DropDownAccessible(window, standard, name);
  });
}
