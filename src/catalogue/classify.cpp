#include "catalogue/classify.h"

#include <cctype>

#include "base/text_case.h"
#include "base/text_util.h"

namespace {
struct Keyword {
  const char* key;
  const char* value;
};

// First key found anywhere in the lower-cased maker text wins, so the order
// matters: "Capcom / Takara" is Capcom.
constexpr Keyword kMakerKeys[] = {
    {"snk", "SNK"},         {"namco", "Namco"},           {"capcom", "Capcom"},
    {"konami", "Konami"},   {"taito", "Taito"},           {"tecmo", "Tecmo"},
    {"atlus", "Atlus"},     {"acclaim", "Acclaim"},       {"atari", "Atari"},
    {"video system", "Video System"},                     {"mco'river", "Video System"},
    {"success", "Success"}, {"warashi", "Warashi"},       {"takumi", "Takumi"},
    {"cyberfront", "CyberFront"},                         {"sunsoft", "Sunsoft"},
    {"arika", "Arika"},     {"square", "Square"},         {"eighting", "Eighting / Raizing"},
    {"raizing", "Eighting / Raizing"},                    {"moss", "MOSS"},
    {"metro", "Metro"},     {"gaps", "Gaps"},             {"virtual music", "Virtual Music"},
    {"produce", "Produce"},
};

// First key found anywhere in the lower-cased title wins: specific series
// names come before the generic words ("derby" before "quiz").
constexpr Keyword kGenreKeys[] = {
    {"tekken", "Fighting"},          {"street fighter", "Fighting"},  {"rival schools", "Fighting"},
    {"star gladiator", "Fighting"},  {"plasma sword", "Fighting"},    {"soul edge", "Fighting"},
    {"soul calibur", "Fighting"},    {"toshinden", "Fighting"},       {"ehrgeiz", "Fighting"},
    {"fighting layer", "Fighting"},  {"toukon", "Fighting"},          {"tech romancer", "Fighting"},
    {"kikaioh", "Fighting"},         {"justice gakuen", "Fighting"},  {"fighting", "Fighting"},
    {"samurai", "Fighting"},         {"fatal fury", "Fighting"},      {"buriki", "Fighting"},
    {"dance dance revolution", "Music"}, {"dancing stage", "Music"},  {"stepping", "Music"},
    {"beatmania", "Music"},          {"guitar", "Music"},             {"drummania", "Music"},
    {"keyboardmania", "Music"},      {"pop'n", "Music"},              {"para para", "Music"},
    {"mambo", "Music"},              {"dj ", "Music"},                {"dancemania", "Music"},
    {"ddr", "Music"},                {"jam", "Music"},                {"percussion", "Music"},
    {"gunmania", "Shooter"},         {"silent scope", "Shooter"},     {"raycrisis", "Shooter"},
    {"raystorm", "Shooter"},         {"ray storm", "Shooter"},        {"darius", "Shooter"},
    {"shikigami", "Shooter"},        {"xii stag", "Shooter"},         {"psyvariar", "Shooter"},
    {"aero fighters", "Shooter"},    {"sonic wings", "Shooter"},      {"chaos heat", "Shooter"},
    {"brave blade", "Shooter"},      {"psychic force", "Fighting"},   {"fighters' impact", "Fighting"},
    {"bloody roar", "Fighting"},     {"beastorizer", "Fighting"},     {"mahjong", "Mahjong"},
    {"majan", "Mahjong"},            {"shanghai", "Puzzle"},          {"puzzle bobble", "Puzzle"},
    {"bust a move", "Puzzle"},       {"flip maze", "Puzzle"},         {"steering champ", "Racing"},
    {"handle champ", "Racing"},      {"rc de go", "Racing"},          {"go by rc", "Racing"},
    {"gallop", "Racing"},            {"derby", "Racing"},             {"bowling", "Sports"},
    {"yakyuu", "Sports"},            {"hyper athlete", "Sports"},     {"golf", "Sports"},
    {"hockey", "Sports"},            {"football", "Sports"},          {"strider", "Action"},
    {"beast busters", "Shooter"},    {"golgo", "Shooter"},            {"point blank", "Shooter"},
    {"gunbarl", "Shooter"},          {"ghoul panic", "Shooter"},      {"bakyuuun", "Shooter"},
    {"xevious", "Shooter"},          {"star sweep", "Shooter"},       {"tenkomori", "Shooter"},
    {"shooting", "Shooter"},         {"flame gunner", "Shooter"},     {"racer", "Racing"},
    {"road", "Racing"},              {"rally", "Racing"},             {"racing", "Racing"},
    {"drive", "Racing"},             {"kart", "Racing"},              {"truck", "Racing"},
    {"rail", "Racing"},              {"libero grande", "Sports"},     {"dunk", "Sports"},
    {"prime goal", "Sports"},        {"stadium", "Sports"},           {"family bowl", "Sports"},
    {"soccer", "Sports"},            {"football", "Sports"},          {"baseball", "Sports"},
    {"world cup", "Sports"},         {"driller", "Puzzle"},           {"tetris", "Puzzle"},
    {"block kuzushi", "Puzzle"},     {"logic pro", "Puzzle"},         {"puzzle", "Puzzle"},
    {"quiz", "Quiz"},                {"paca paca", "Music"},          {"jammer lammy", "Music"},
    {"dancing eyes", "Music"},       {"quest for fame", "Music"},
};
static_assert(sizeof(kGenreKeys) / sizeof(kGenreKeys[0]) == 107);

constexpr Keyword kRegionWords[] = {
    {"us", "US"},         {"usa", "US"},     {"jp", "JP"},
    {"jpn", "JP"},        {"japan", "JP"},   {"japanese", "JP"},
    {"asia", "ASIA"},     {"world", "WORLD"}, {"europe", "EUROPE"},
};

constexpr const char* kOther = "Other";
constexpr size_t kMakerChars = 119;
constexpr size_t kTitleChars = 299;
constexpr size_t kRegionWordChars = 15;

template <size_t N>
const char* FirstKeyIn(std::string_view text, size_t max_units, const Keyword (&keys)[N]) {
  std::string lower = LowerCaseText(CutToUtf16Units(text, max_units));
  for (const Keyword& k : keys)
    if (lower.find(k.key) != std::string::npos) return k.value;
  return kOther;
}

const char* RegionWord(const std::string& word) {
  for (const Keyword& k : kRegionWords)
    if (word == k.key) return k.value;
  return nullptr;
}
}  // namespace

const char* MakerOf(std::string_view maker_text) { return FirstKeyIn(maker_text, kMakerChars, kMakerKeys); }

const char* GenreOf(std::string_view title) { return FirstKeyIn(title, kTitleChars, kGenreKeys); }

const char* RegionOf(std::string_view title) {
  size_t i = title.find('(');
  std::string word;
  size_t word_chars = 0;
  auto end_word = [&]() -> const char* {
    const char* region = word.empty() ? nullptr : RegionWord(word);
    word.clear();
    word_chars = 0;
    return region;
  };
  while (i != std::string_view::npos && ++i < title.size()) {
    char c = title[i];
    if (std::isalnum(static_cast<unsigned char>(c))) {
      // Only the first characters of a long word count.
      if (word_chars++ < kRegionWordChars) word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      continue;
    }
    if (const char* region = end_word()) return region;
    if (c == ')') i = title.find('(', i + 1);
  }
  if (const char* region = end_word()) return region;
  return kOther;
}

std::string_view HardwareOf(const GameEntry& entry) { return BoardOf(entry); }
