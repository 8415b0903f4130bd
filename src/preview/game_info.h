// The texts MAME's menu shows of a game from files the user adds to MAME's
// history folders: history.xml (entries keyed by system name) and the
// classic .dat files (mameinfo.dat, command.dat, gameinit.dat, story.dat:
// "$info=set1,set2" blocks). The files run to tens of megabytes, so each is
// indexed once (where each set's texts lie) and a game's texts are read from
// those places alone.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/file_stamp.h"

struct TextRange {
  uint64_t offset = 0;
  uint32_t length = 0;
  bool operator==(const TextRange&) const = default;
};

struct InfoIndex {
  std::unordered_map<std::string, std::vector<TextRange>> ranges;  // by lower-case set name
  bool damaged = false;    // cut short or broken: what came before is kept
  uint64_t damaged_at = 0;  // the byte where reading it stopped making sense
};
InfoIndex IndexHistoryXml(std::string_view bytes);
InfoIndex IndexDatFile(std::string_view bytes);

// A text as the card shows it, trimmed, lines ended by LF: history.xml's with
// its entities decoded, command.dat's with its button symbols spelled out.
std::string HistoryEntryText(std::string_view raw);
std::string DatEntryText(std::string_view raw, bool command);
// command.dat writes buttons and moves as codes of MAME's font ("_A", "_2",
// "^E"): here as text ("(A)", "↓", "LP"); a code it does not know stays.
std::string CommandSymbolsAsText(std::string_view text);

struct InfoSource {
  const char* file;
  const char* tab;  // as MAME's menu names it
  bool xml;
  bool command;
};
constexpr int kInfoSourceCount = 5;
extern const InfoSource kInfoSources[kInfoSourceCount];

struct InfoTab {
  std::string name, text;
  bool operator==(const InfoTab&) const = default;
};

// Kept by the card's worker: the files found in the history folders, each
// indexed when first needed and again only when its size or time changed.
class GameInfoLibrary {
 public:
  // A new look at the files: each is checked for changes once a round.
  void NewRound() { ++round_; }
  // A tab for each file with text for the first of `family` it knows.
  // `log_lines` gets one line for each damaged file when it is indexed.
  std::vector<InfoTab> Texts(const std::vector<std::string>& folders, const std::vector<std::string>& family,
                             std::vector<std::string>& log_lines);

 private:
  struct Indexed {
    FileStamp stamp;
    InfoIndex index;
    bool present = false;
    uint64_t round = 0;  // when its stamp was last read
  };
  std::unordered_map<std::string, Indexed> files_;  // by path
  uint64_t round_ = 1;
  const InfoIndex* IndexOf(const std::string& path, const InfoSource& source, std::vector<std::string>& log_lines);
};
