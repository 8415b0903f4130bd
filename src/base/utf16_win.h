// UTF-8 <-> UTF-16 at the Win32 boundary. Only *_win.cpp files include this.
#pragma once
#include <string>
#include <string_view>

std::wstring Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::wstring_view utf16);
