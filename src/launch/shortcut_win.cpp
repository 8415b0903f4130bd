#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "base/text_buffer.h"
#include "base/utf16_win.h"
#include "launch/shortcut.h"

const char kShortcutExtension[] = ".lnk";

std::optional<std::string> DesktopFolder() {
  wchar_t path[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)))
    return std::nullopt;
  return Utf16ToUtf8(path);
}

std::string LauncherProgramPath() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Utf16ToUtf8(std::wstring(path, n));
}

namespace {
std::string ComFailure(HRESULT hr) {
  TextBuffer reason;
  AppendFormat(reason, "Windows could not create the shortcut (error 0x%08lX).", static_cast<unsigned long>(hr));
  return reason;
}
}  // namespace

bool WriteShortcutFile(const ShortcutPlan& plan, std::string& reason) {
  HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link));
  if (SUCCEEDED(hr)) hr = link->SetPath(Utf8ToUtf16(plan.target).c_str());
  if (SUCCEEDED(hr)) hr = link->SetArguments(Utf8ToUtf16(plan.arguments).c_str());
  if (SUCCEEDED(hr)) hr = link->SetWorkingDirectory(Utf8ToUtf16(plan.working_folder).c_str());
  if (SUCCEEDED(hr)) hr = link->SetIconLocation(Utf8ToUtf16(plan.icon).c_str(), 0);
  if (SUCCEEDED(hr)) hr = link->SetDescription(Utf8ToUtf16(plan.description).c_str());
  if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(hr)) hr = file->Save(Utf8ToUtf16(plan.file).c_str(), TRUE);
  if (file) file->Release();
  if (link) link->Release();
  // Only a successful initialisation is paired with an uninitialisation.
  if (SUCCEEDED(init)) CoUninitialize();
  if (FAILED(hr)) reason = ComFailure(hr);
  return SUCCEEDED(hr);
}
