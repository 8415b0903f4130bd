#include "preview/game_card.h"

#include <chrono>

#include "catalogue/mame_status.h"
#include "preview/mame_ui_ini.h"
#include "preview/preview_request.h"
#include "settings/settings.h"

GameCard MakeGameCard(const GameEntry& entry) {
  GameCard card;
  card.status = GameStatusText(entry);
  card.played = PlayedText(entry.played, LocalDateOf(entry.played.last));
  std::string made = std::string(MakerTextOf(entry));
  if (entry.year > 0) made += (made.empty() ? "" : ", ") + std::to_string(entry.year);
  std::string set = "Set: " + entry.set;
  if (!entry.parent.empty()) set += ", clone of " + entry.parent;
  if (!entry.bios.empty()) set += "; BIOS: " + entry.bios;
  for (const std::string& line : {entry.title, made, std::string(BoardOf(entry)), set,
                                  card.status.empty() ? std::string() : "Status: " + card.status, card.played})
    if (!line.empty()) card.general += (card.general.empty() ? "" : "\n") + line;
  return card;
}

namespace {
struct TextAnswerer {
  std::shared_ptr<GameInfoLibrary> library = std::make_shared<GameInfoLibrary>();
  // MAME's history folders as last read, read again after a while or for other settings.
  struct Known {
    std::string key;
    std::chrono::steady_clock::time_point read_at;
    std::vector<std::string> folders;
  };
  std::shared_ptr<Known> known = std::make_shared<Known>();

  std::unique_ptr<PreviewResult> operator()(const PreviewRequest& request, const std::function<bool()>&) const {
    auto result = std::make_unique<PreviewResult>();
    result->generation = request.generation;
    result->set = request.set;
    if (request.set.empty()) return result;
    const std::string key = request.mame_exe + '\n' + request.more_options;
    const auto now = std::chrono::steady_clock::now();
    if (key != known->key || now - known->read_at >= std::chrono::milliseconds(kFolderLookMs)) {
      Settings where;
      where.mame_exe = request.mame_exe;
      where.more_options = request.more_options;
      *known = {key, now, UiFolders(ReadMameUiOptions(where), kHistoryPathOption, kHistoryPathDefault, where)};
      library->NewRound();
    }
    const std::vector<std::string>& folders = known->folders;
    // A clone without texts of its own shows its parent's.
    std::vector<std::string> family = {request.set};
    if (const GameTableRow* row = GameTableRowBySet(request.set); row && *row->parent) family.push_back(row->parent);
    result->tabs = library->Texts(folders, family, result->log_lines);
    return result;
  }
};
}  // namespace

PreviewAnswererFactory CardTextAnswers() {
  return [] { return PreviewAnswerFn(TextAnswerer()); };
}
