#include <windows.h>

#include "settings/settings_theme_win.h"

bool RegistryPrefersDark() {
  DWORD value = 1, size = sizeof value;
  LSTATUS rc = RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                            L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size);
  return rc == ERROR_SUCCESS && value == 0;
}
