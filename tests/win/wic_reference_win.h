// A picture decoded by the Imaging Component alone: the preview's reference and its benchmark's baseline.
#pragma once
#include <windows.h>
#include <wincodec.h>

#include <optional>
#include <string>

#include "base/utf16_win.h"
#include "preview/picture_scale.h"

inline std::optional<Picture> DecodeWithWic(const std::string& path) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // once per thread; later calls change nothing
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  std::optional<Picture> out;
  UINT w = 0, h = 0;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) &&
      SUCCEEDED(factory->CreateDecoderFromFilename(Utf8ToUtf16(path).c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                      WICBitmapPaletteTypeCustom))) {
    Picture p{static_cast<int>(w), static_cast<int>(h), std::vector<uint32_t>(size_t{w} * h)};
    if (SUCCEEDED(converter->CopyPixels(nullptr, w * 4, w * h * 4, reinterpret_cast<BYTE*>(p.pixels.data()))))
      out = std::move(p);
  }
  for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                           static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)})
    if (object) object->Release();
  return out;
}

// The picture as the preview should show it at `size`.
inline Picture ScaledReference(const Picture& source, PictureSize size) {
  auto rows = [&](int first, int count, uint32_t* out) {
    std::copy_n(&source.pixels[size_t(first) * size_t(source.w)], size_t(count) * size_t(source.w), out);
    return true;
  };
  return *ScalePicture({source.w, source.h}, size, rows);
}
