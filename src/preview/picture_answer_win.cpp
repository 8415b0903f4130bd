#include "preview/picture_answer_win.h"

#include <windows.h>
#include <objbase.h>

#include <optional>

#include "base/text_util.h"
#include "preview/picture_cache.h"
#include "preview/picture_decode_win.h"
#include "preview/picture_kinds.h"
#include "preview/preview_view.h"
#include "settings/settings.h"

namespace {
// COM and the imaging library come with the first picture to decode: loaded
// at start-up, beside the window's making, they only slowed it.
class LazyDecoder {
 public:
  ~LazyDecoder() {
    decoder_.reset();
    if (SUCCEEDED(com_)) CoUninitialize();
  }
  PictureDecoder& Get() {
    if (!decoder_) {
      com_ = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      decoder_.emplace();
    }
    return *decoder_;
  }

 private:
  HRESULT com_ = E_FAIL;
  std::optional<PictureDecoder> decoder_;
};

// How a picture is named in the cache and the log: a zip member as a path inside the zip.
std::string NameOf(const SnapshotFile& file) {
  return file.member.empty() ? file.path : file.path + "\\" + file.member;
}

// MAME's folders for pictures as last read, read again after a while or for
// other settings.
struct KnownFolders {
  std::string key;
  uint32_t read_at = 0;
  ArtFolders folders;
};

struct PictureAnswerer {
  std::shared_ptr<LazyDecoder> decoder = std::make_shared<LazyDecoder>();
  std::shared_ptr<PictureCache> cache = std::make_shared<PictureCache>();
  std::shared_ptr<ArtLookup> lookup = std::make_shared<ArtLookup>();
  std::shared_ptr<KnownFolders> known = std::make_shared<KnownFolders>();

  const ArtFolders& FoldersFor(const PreviewRequest& request) const {
    const std::string key = request.mame_exe + '\n' + request.more_options;
    const uint32_t now = GetTickCount();
    if (request.look_again || key != known->key || now - known->read_at >= kFolderLookMs) {
      Settings where;
      where.mame_exe = request.mame_exe;
      where.more_options = request.more_options;
      *known = {key, now, ArtFoldersOf(where, ReadMameUiOptions(where))};
      lookup->NewRound();
    }
    return known->folders;
  }

  std::unique_ptr<PreviewResult> operator()(const PreviewRequest& request,
                                            const std::function<bool()>& superseded) const {
    auto result = std::make_unique<PreviewResult>();
    result->generation = request.generation;
    if (request.set.empty()) return result;
    const ArtFolders& folders = FoldersFor(request);
    SnapshotChoice choices[kArtKindCount];
    for (int k = 0; k < kArtKindCount; ++k) {
      choices[k] = lookup->Choose(folders, k, request.set);
      if (!choices[k].files.empty()) result->kinds |= 1u << k;
    }
    result->kind = ShownArtKind(request.kind, result->kinds);
    SnapshotChoice& choice = choices[result->kind];
    result->set = choice.set;
    if (choice.files.empty()) return result;
    result->index = 0;
    for (size_t i = 0; i < choice.files.size(); ++i) {
      result->files.push_back(NameOf(choice.files[i]));
      if (EqualsNoCase(result->files.back(), request.want_path)) result->index = static_cast<int>(i);
    }
    if (superseded()) return nullptr;  // the user has moved on

    const SnapshotFile& file = choice.files[static_cast<size_t>(result->index)];
    const std::string name = NameOf(file);
    const bool keep_aspect = request.keep_aspect && kArtKinds[result->kind].screen;
    if (const CachedPicture* kept = cache->Find(name, file.stamp, request.box, keep_aspect)) {
      result->picture = kept->picture;
      return result;
    }
    DecodedPicture decoded;
    std::string bytes;
    if (file.member.empty())
      decoded = decoder->Get().Decode(file.path, request.box, keep_aspect);
    else if (lookup->ReadMember(file, bytes))
      decoded = decoder->Get().DecodeBytes(bytes, request.box, keep_aspect);
    else
      decoded.failure = PictureFailure::Unreadable;
    result->picture = decoded.picture;
    if (decoded.failure != PictureFailure::None)
      result->log_lines.push_back(PreviewFailureLine(name, decoded.failure, decoded.source));
    if (decoded.picture || decoded.failure != PictureFailure::None)
      cache->Put({name, file.stamp, request.box, keep_aspect, decoded.picture});
    return result;
  }
};
}  // namespace

PreviewAnswererFactory PictureAnswers() {
  return [] { return PreviewAnswerFn(PictureAnswerer()); };
}
