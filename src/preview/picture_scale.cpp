#include "preview/picture_scale.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace {
// The source pixels that make one target pixel, and their weights.
struct Tap {
  int first = 0;
  std::vector<float> weights;
};

std::vector<Tap> Taps(int source, int target, ScaleFilter filter) {
  std::vector<Tap> taps(static_cast<size_t>(target));
  const double scale = static_cast<double>(source) / target;
  for (int i = 0; i < target; ++i) {
    Tap& t = taps[static_cast<size_t>(i)];
    if (filter == ScaleFilter::Sharp) {
      t.first = std::min(source - 1, static_cast<int>((i + 0.5) * scale));
      t.weights = {1.0f};
    } else if (target <= source) {
      // The mean of the source span the target pixel covers.
      const double a = i * scale, b = (i + 1) * scale;
      const int end = std::min(source, static_cast<int>(std::ceil(b)));
      t.first = static_cast<int>(a);
      for (int s = t.first; s < end; ++s)
        t.weights.push_back(static_cast<float>((std::min(b, s + 1.0) - std::max(a, static_cast<double>(s))) / scale));
    } else {
      // Linear between the two source pixels nearest to the target's centre.
      double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, static_cast<double>(source - 1));
      t.first = std::min(static_cast<int>(centre), source - 1);
      float f = static_cast<float>(centre - t.first);
      t.weights = f > 0 ? std::vector<float>{1 - f, f} : std::vector<float>{1.0f};
    }
  }
  return taps;
}

uint32_t Channel(uint32_t pixel, int c) { return (pixel >> (8 * c)) & 0xFF; }

// The source's rows scaled across, read strip by strip and kept only while a
// target row still needs them.
class ScaledRows {
 public:
  ScaledRows(PictureSize source, int target_w, const std::vector<Tap>& across, const PictureRows& rows)
      : source_(source), target_w_(target_w), across_(across), rows_(rows) {
    strip_rows_ = std::clamp((1 << 20) / std::max(1, source.w), 1, 64);
    strip_.resize(static_cast<size_t>(strip_rows_) * static_cast<size_t>(source.w));
  }

  // Row `s` scaled across, after dropping the rows above `keep_from`.
  const std::vector<float>* Row(int s, int keep_from) {
    while (next_ <= s) {
      if (next_ >= strip_first_ + strip_count_) {
        strip_first_ = next_;
        strip_count_ = std::min(strip_rows_, source_.h - next_);
        if (!rows_(strip_first_, strip_count_, strip_.data())) return nullptr;
      }
      window_.push_back(Across(&strip_[static_cast<size_t>(next_ - strip_first_) * static_cast<size_t>(source_.w)]));
      ++next_;
    }
    while (window_first_ < keep_from && !window_.empty()) {
      window_.pop_front();
      ++window_first_;
    }
    return &window_[static_cast<size_t>(s - window_first_)];
  }

 private:
  std::vector<float> Across(const uint32_t* source_row) const {
    std::vector<float> out(static_cast<size_t>(target_w_) * 4, 0.0f);
    for (int x = 0; x < target_w_; ++x) {
      const Tap& t = across_[static_cast<size_t>(x)];
      float* o = &out[static_cast<size_t>(x) * 4];
      for (size_t k = 0; k < t.weights.size(); ++k) {
        uint32_t p = source_row[t.first + static_cast<int>(k)];
        for (int c = 0; c < 4; ++c) o[c] += t.weights[k] * static_cast<float>(Channel(p, c));
      }
    }
    return out;
  }

  PictureSize source_;
  int target_w_;
  const std::vector<Tap>& across_;
  const PictureRows& rows_;
  int strip_rows_ = 1, strip_first_ = 0, strip_count_ = 0;
  std::vector<uint32_t> strip_;
  std::deque<std::vector<float>> window_;
  int window_first_ = 0, next_ = 0;
};

uint32_t ToByte(float v) { return static_cast<uint32_t>(std::clamp(static_cast<int>(v + 0.5f), 0, 255)); }
}  // namespace

PictureSize FitPicture(PictureSize box, PictureSize picture, bool keep_aspect) {
  if (box.w <= 0 || box.h <= 0 || picture.w <= 0 || picture.h <= 0) return {};
  int64_t aw = picture.w, ah = picture.h;
  if (keep_aspect) {
    aw = picture.w >= picture.h ? 4 : 3;
    ah = picture.w >= picture.h ? 3 : 4;
  }
  // As wide as the box, unless that is too high: then as high as the box.
  int64_t w = box.w, h = (w * ah + aw / 2) / aw;
  if (h > box.h) {
    h = box.h;
    w = (h * aw + ah / 2) / ah;
  }
  return {static_cast<int>(std::max<int64_t>(1, std::min<int64_t>(w, box.w))),
          static_cast<int>(std::max<int64_t>(1, std::min<int64_t>(h, box.h)))};
}

ScaleFilter ChooseScaleFilter(PictureSize source, PictureSize target) {
  return target.w >= 2 * source.w && target.h >= 2 * source.h ? ScaleFilter::Sharp : ScaleFilter::Smooth;
}

std::optional<Picture> ScalePicture(PictureSize source, PictureSize target, const PictureRows& rows) {
  if (source.w <= 0 || source.h <= 0 || target.w <= 0 || target.h <= 0) return std::nullopt;
  const ScaleFilter filter = ChooseScaleFilter(source, target);
  const std::vector<Tap> across = Taps(source.w, target.w, filter);
  const std::vector<Tap> down = Taps(source.h, target.h, filter);
  ScaledRows scaled(source, target.w, across, rows);

  Picture out{target.w, target.h, std::vector<uint32_t>(static_cast<size_t>(target.w) * static_cast<size_t>(target.h))};
  std::vector<float> sum(static_cast<size_t>(target.w) * 4);
  for (int y = 0; y < target.h; ++y) {
    const Tap& t = down[static_cast<size_t>(y)];
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (size_t k = 0; k < t.weights.size(); ++k) {
      const std::vector<float>* row = scaled.Row(t.first + static_cast<int>(k), t.first);
      if (!row) return std::nullopt;
      for (size_t i = 0; i < sum.size(); ++i) sum[i] += t.weights[k] * (*row)[i];
    }
    uint32_t* o = &out.pixels[static_cast<size_t>(y) * static_cast<size_t>(target.w)];
    for (int x = 0; x < target.w; ++x) {
      const float* s = &sum[static_cast<size_t>(x) * 4];
      o[x] = ToByte(s[0]) | ToByte(s[1]) << 8 | ToByte(s[2]) << 16 | ToByte(s[3]) << 24;
    }
  }
  return out;
}
