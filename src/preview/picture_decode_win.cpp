#include "preview/picture_decode_win.h"

#include <windows.h>
#include <wincodec.h>

#include "base/utf16_win.h"
#include "preview/picture_header.h"

namespace {
// Releases a COM pointer when it goes out of scope.
template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

// The first 64 KiB of the file; false when it cannot be opened.
bool ReadHead(const std::wstring& path, std::string& head) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  head.resize(64 * 1024);
  DWORD got = 0;
  BOOL ok = ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &got, nullptr);
  CloseHandle(file);
  head.resize(ok ? got : 0);
  return ok != FALSE;
}
}  // namespace

PictureDecoder::PictureDecoder() {
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory_));
}

PictureDecoder::~PictureDecoder() {
  if (factory_) factory_->Release();
}

namespace {
// What the file says of itself decides before the decoder reads it whole:
// false when it is no picture or too large to show.
bool Screened(std::string_view head, DecodedPicture& out) {
  PictureHeader header = ReadPictureHeader(head);
  out.source = header.size;
  if (header.kind == PictureKind::Unknown) out.failure = PictureFailure::NotPicture;
  else if (header.size_known && TooLargeToShow(header.size)) out.failure = PictureFailure::TooLarge;
  return out.failure == PictureFailure::None;
}
}  // namespace

DecodedPicture PictureDecoder::Decode(const std::string& path, PictureSize box, bool keep_aspect) {
  DecodedPicture out;
  const std::wstring wide = Utf8ToUtf16(path);
  std::string head;
  if (!factory_ || !ReadHead(wide, head)) {
    out.failure = PictureFailure::Unreadable;
    return out;
  }
  if (!Screened(head, out)) return out;
  Com<IWICBitmapDecoder> decoder;
  if (FAILED(factory_->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                 &decoder))) {
    out.failure = PictureFailure::Damaged;
    return out;
  }
  return Scaled(decoder.p, box, keep_aspect, out);
}

DecodedPicture PictureDecoder::DecodeBytes(const std::string& bytes, PictureSize box, bool keep_aspect) {
  DecodedPicture out;
  if (!factory_) {
    out.failure = PictureFailure::Unreadable;
    return out;
  }
  if (!Screened(std::string_view(bytes).substr(0, 64 * 1024), out)) return out;
  Com<IWICStream> stream;
  Com<IWICBitmapDecoder> decoder;
  if (FAILED(factory_->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory_->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder))) {
    out.failure = PictureFailure::Damaged;
    return out;
  }
  return Scaled(decoder.p, box, keep_aspect, out);
}

DecodedPicture PictureDecoder::Scaled(IWICBitmapDecoder* decoder, PictureSize box, bool keep_aspect,
                                      DecodedPicture out) {
  out.failure = PictureFailure::Damaged;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICFormatConverter> converter;
  UINT w = 0, h = 0;
  if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0) return out;
  out.source = {static_cast<int>(w), static_cast<int>(h)};
  if (w > INT32_MAX || h > INT32_MAX || TooLargeToShow(out.source)) {
    out.failure = PictureFailure::TooLarge;
    return out;
  }
  if (FAILED(factory_->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return out;

  const PictureSize target = FitPicture(box, out.source, keep_aspect);
  if (target.w <= 0) {
    out.failure = PictureFailure::None;  // no room to show it: nothing wrong with the file
    return out;
  }
  auto rows = [&](int first, int count, uint32_t* pixels) {
    WICRect strip = {0, first, static_cast<INT>(w), count};
    UINT stride = w * 4;
    return SUCCEEDED(converter->CopyPixels(&strip, stride, stride * static_cast<UINT>(count),
                                           reinterpret_cast<BYTE*>(pixels)));
  };
  std::optional<Picture> scaled = ScalePicture(out.source, target, rows);
  if (!scaled) return out;
  out.picture = std::make_shared<const Picture>(std::move(*scaled));
  out.failure = PictureFailure::None;
  return out;
}
