// What the preview pane asks its workers and what they answer: the pictures
// of a game and the texts of its card. An answerer is made on its worker's
// thread and lives there; a request that a newer one replaces before it is
// done may be dropped unanswered.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "preview/game_info.h"
#include "preview/picture_scale.h"

struct PreviewRequest {
  uint64_t generation = 0;  // answers carry it back, so that the pane knows the newest
  std::string set;
  std::string mame_exe, more_options;  // where MAME keeps its pictures and how it names them
  bool keep_aspect = true;
  PictureSize box;
  int kind = 0;           // the kind of picture wanted (picture_kinds.h)
  std::string want_path;  // the picture to show; empty: the newest
  bool look_again = false;  // files may have come or gone just now (MAME ended): look at the folders anew
};

struct PreviewResult {
  uint64_t generation = 0;
  std::string set;                 // whose pictures: the game's, or its parent's or a clone's
  std::vector<std::string> files;  // newest first
  int index = -1;                  // of the file shown; -1 with none
  std::shared_ptr<const Picture> picture;  // empty: the placeholder
  uint32_t kinds = 0;              // bit k: the game has pictures of kind k
  int kind = 0;                    // the kind shown
  std::vector<InfoTab> tabs;       // the card's texts (the texts' worker)
  std::vector<std::string> log_lines;  // files that could not be shown or read, found just now
};

// What the workers learned of MAME's folders stands for this long: a selection
// does not read ui.ini and every folder's time again.
constexpr uint32_t kFolderLookMs = 1000;

// Answers one request; `superseded` tells whether a newer one is waiting.
using PreviewAnswerFn =
    std::function<std::unique_ptr<PreviewResult>(const PreviewRequest&, const std::function<bool()>& superseded)>;
using PreviewAnswererFactory = std::function<PreviewAnswerFn()>;

// The card's texts from history.xml and the .dat files in MAME's history folders.
PreviewAnswererFactory CardTextAnswers();
