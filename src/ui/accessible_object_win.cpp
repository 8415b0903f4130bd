#include "ui/accessible_object_win.h"

#include "base/utf16_win.h"

HRESULT AccessibleObject::QueryInterface(REFIID id, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (id != IID_IUnknown && id != IID_IDispatch && id != __uuidof(IAccessible)) return E_NOINTERFACE;
  *out = static_cast<IAccessible*>(this);
  AddRef();
  return S_OK;
}

ULONG AccessibleObject::AddRef() { return InterlockedIncrement(&references_); }

ULONG AccessibleObject::Release() {
  ULONG left = InterlockedDecrement(&references_);
  if (left == 0) {
    standard_->Release();
    delete this;
  }
  return left;
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) { return count ? (*count = 0, S_OK) : E_POINTER; }

HRESULT AccessibleObject::Text(const char* utf8, BSTR* out) {
  *out = SysAllocString(Utf8ToUtf16(utf8).c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}
