// Reading a snapshot file into a scaled picture through the Windows Imaging
// Component. Used on the preview's worker thread only, never on a window's.
#pragma once
#include <memory>
#include <string>

#include "preview/picture_scale.h"
#include "preview/preview_view.h"

struct IWICImagingFactory;
struct IWICBitmapDecoder;

struct DecodedPicture {
  std::shared_ptr<const Picture> picture;  // empty when the file cannot be shown
  PictureFailure failure = PictureFailure::None;
  PictureSize source;  // the file's own size, when it was read
};

class PictureDecoder {
 public:
  // Needs COM on the calling thread (any apartment).
  PictureDecoder();
  ~PictureDecoder();
  PictureDecoder(const PictureDecoder&) = delete;
  PictureDecoder& operator=(const PictureDecoder&) = delete;
  bool Ready() const { return factory_ != nullptr; }

  // The picture fitted into `box` (FitPicture) and scaled to that size; no
  // picture and no failure when the box is empty.
  DecodedPicture Decode(const std::string& path, PictureSize box, bool keep_aspect);
  // The same for a picture held in memory (one unpacked from a zip).
  DecodedPicture DecodeBytes(const std::string& bytes, PictureSize box, bool keep_aspect);

 private:
  IWICImagingFactory* factory_ = nullptr;
  // Fits and scales what `decoder` reads; `out` holds what the file's head told.
  DecodedPicture Scaled(IWICBitmapDecoder* decoder, PictureSize box, bool keep_aspect, DecodedPicture out);
};
