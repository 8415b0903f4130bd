#include "preview/game_card.h"

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

  std::unique_ptr<PreviewResult> operator()(const PreviewRequest& request, const std::function<bool()>&) const {
    auto result = std::make_unique<PreviewResult>();
    result->generation = request.generation;
    result->set = request.set;
    if (request.set.empty()) return result;
    Settings where;
    where.mame_exe = request.mame_exe;
    where.more_options = request.more_options;
    const std::vector<std::string> folders =
        UiFolders(ReadMameUiOptions(where), kHistoryPathOption, kHistoryPathDefault, where);
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
