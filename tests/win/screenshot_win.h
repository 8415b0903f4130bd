// Pictures of windows for tests: a window's pixels as it shows on screen,
// and a small PNG writer to keep them for people to look at.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/utf16_win.h"

struct Screenshot {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

  // The colour at a point, or 0xFFFFFFFF outside.
  uint32_t At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height ? pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF
                                                       : 0xFFFFFFFF;
  }
};

// The whole window, frame included, read back from its window DC after the
// caller has let it paint.
inline Screenshot CaptureWindow(HWND window) {
  Screenshot shot;
  RECT rect;
  GetWindowRect(window, &rect);
  shot.width = rect.right - rect.left;
  shot.height = rect.bottom - rect.top;
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* data = static_cast<const uint32_t*>(bits);
  shot.pixels.assign(data, data + static_cast<size_t>(shot.width) * shot.height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return shot;
}

namespace screenshot_detail {
inline uint32_t Crc(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}
inline void Big32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}
inline void Chunk(std::string& out, const char* type, const std::string& data) {
  Big32(out, static_cast<uint32_t>(data.size()));
  std::string body = type + data;
  out += body;
  Big32(out, Crc(body));
}
}  // namespace screenshot_detail

// An RGB PNG with uncompressed (stored) deflate blocks: large, but exact.
inline std::string EncodePng(const Screenshot& shot) {
  using namespace screenshot_detail;
  std::string raw;
  for (int y = 0; y < shot.height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < shot.width; ++x) {
      uint32_t p = shot.At(x, y);
      raw += {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
    }
  }
  std::string zlib = "\x78\x01";
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    size_t n = std::min<size_t>(65535, raw.size() - at);
    zlib.push_back(at + n >= raw.size() ? 1 : 0);
    zlib += {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(~n), static_cast<char>(~n >> 8)};
    zlib.append(raw, at, n);
    if (raw.empty()) break;
  }
  uint32_t a = 1, b = 0;
  for (unsigned char byte : raw) a = (a + byte) % 65521, b = (b + a) % 65521;
  Big32(zlib, (b << 16) | a);
  std::string header;
  Big32(header, shot.width);
  Big32(header, shot.height);
  header += {8, 2, 0, 0, 0};  // 8-bit RGB
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", zlib);
  Chunk(png, "IEND", "");
  return png;
}

// Saves into <repo>/build/screenshots when KORVO_WIN_BUILD (<repo>/build/windows,
// a Unix path reached through drive Z:) is set; false otherwise.
inline bool SaveScreenshot(const Screenshot& shot, const std::string& name) {
  const char* build = std::getenv("KORVO_WIN_BUILD");
  if (!build || !*build) return false;
  std::string folder = build;
  if (folder[0] == '/') folder = "Z:" + folder;
  for (char& c : folder)
    if (c == '/') c = '\\';
  folder += "\\..\\screenshots";
  CreateDirectoryW(Utf8ToUtf16(folder).c_str(), nullptr);
  std::string png = EncodePng(shot);
  HANDLE file = CreateFileW(Utf8ToUtf16(folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr) && written == png.size();
  CloseHandle(file);
  return ok;
}
