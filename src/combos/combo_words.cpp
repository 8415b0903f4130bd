// Text typed in words or short names ("Hold Left (800 ms) then Right + HP")
// to the stored number notation ("4*800 6+HP").
#include <cctype>

#include "base/text_util.h"
#include "combos/combo_sequence.h"
#include "combos/combo_tables.h"

namespace {

constexpr size_t kMaxInput = 590;
constexpr size_t kMaxStep = 299;
constexpr size_t kMaxPiece = 600;
constexpr size_t kOutputSize = 400;

bool IsWordNotation(const std::string& text) {
  static const char* const kSubstrings[] = {"down",  "up",     "left",   "right",   "neutral", "punch", "kick",
                                            "hold",  "pause",  "circle", "dragon",  "forward", "back"};
  for (const char* s : kSubstrings)
    if (text.find(s) != std::string::npos) return true;
  static const char* const kWords[] = {"d",   "dr",  "dl",  "r",   "l",   "u",   "ur",  "ul",  "n",   "f",
                                       "b",   "df",  "db",  "uf",  "ub",  "qcf", "qcb", "dp",  "rdp", "fdp",
                                       "bdp", "hcf", "hcb", "fc",  "fcf", "fcb", "dfc", "dqcf", "dqcb"};
  size_t i = 0;
  while (i <= text.size()) {
    size_t end = text.find_first_of(", +\t", i);
    if (end == std::string::npos) end = text.size();
    std::string_view word(text.data() + i, end - i);
    for (const char* w : kWords)
      if (word == w) return true;
    i = end + 1;
  }
  return false;
}

// "(200 ms)" becomes "@200"; any other part in parentheses goes; an unclosed
// "(" drops the rest.
std::string RemoveParentheses(const std::string& text) {
  std::string out;
  size_t i = 0;
  while (i < text.size() && out.size() < kMaxInput) {
    if (text[i] != '(') {
      out += text[i++];
      continue;
    }
    size_t close = text.find(')', i);
    if (close == std::string::npos) break;
    std::string_view inner(text.data() + i + 1, close - i - 1);
    size_t k = 0;
    while (k < inner.size() && inner[k] == ' ') ++k;
    size_t digits = k;
    while (k < inner.size() && inner[k] >= '0' && inner[k] <= '9') ++k;
    std::string_view number = inner.substr(digits, k - digits);
    bool positive = number.find_first_not_of('0') != std::string_view::npos;
    if (positive && inner.find("ms", k) != std::string_view::npos) {
      out += '@';
      out += number;
    }
    i = close + 1;
  }
  if (out.size() > kMaxInput) out.resize(kMaxInput);
  return out;
}

std::string ReplaceThen(const std::string& text) {
  std::string out;
  size_t i = 0;
  while (true) {
    size_t hit = text.find(" then ", i);
    if (hit == std::string::npos) break;
    out.append(text, i, hit - i);
    out += ",     ";
    i = hit + 6;
  }
  out.append(text, i, std::string::npos);
  return out;
}

std::string_view TrimDashes(std::string_view s) {
  while (!s.empty() && (s.front() == '-' || s.front() == ' ')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == '-' || s.back() == ' ')) s.remove_suffix(1);
  return s;
}

// "Quarter-circle Forward" -> "quarter-circle-forward".
std::string Normalised(std::string_view name) {
  std::string out;
  for (char c : name) out += c == ' ' || c == '_' || c == '\t' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

struct StepText {
  bool pause = false;
  std::string directions, buttons, time;
};

void AddButton(StepText& step, std::string_view name) {
  if (!step.buttons.empty()) step.buttons += '+';
  step.buttons += name;
}

// Looks one word up; false when it is not known.
bool ReadWord(std::string_view word, int side, StepText& step) {
  for (const ComboMotion& m : kComboMotions) {
    if (word == Normalised(m.long_name) || word == Normalised(m.short_name)) {
      step.directions += m.digits;
      return true;
    }
  }
  if (word == "fc" || word == "full-circle") return step.directions += "632147", true;
  if (word == "fdp") return step.directions += "623", true;
  if (word == "bdp") return step.directions += "421", true;
  for (const ComboDirection& d : kComboDirections) {
    if (word == Normalised(d.long_name) || word == Normalised(d.short_name)) {
      step.directions += side == kComboSideRight ? MirrorComboDigit(d.digit) : d.digit;
      return true;
    }
  }
  static const struct {
    const char *long_name, *short_name;
    char digit;
  } kRelative[] = {{"forward", "f", '6'},      {"back", "b", '4'},    {"down-forward", "df", '3'},
                   {"down-back", "db", '1'},   {"up-forward", "uf", '9'}, {"up-back", "ub", '7'}};
  for (const auto& r : kRelative) {
    if (word == r.long_name || word == r.short_name) return step.directions += r.digit, true;
  }
  if (word.size() == 3 && word[0] == 'b' && word[1] == 'n' && word[2] >= '1' && word[2] <= '6') {
    char name[] = {'B', 'N', word[2], '\0'};
    AddButton(step, name);
    return true;
  }
  if (word == "st" || word == "start") return AddButton(step, "ST"), true;
  for (const ComboButton& b : kComboButtons) {
    if (word == Normalised(b.long_name) || EqualsNoCase(word, b.short_name)) {
      AddButton(step, b.short_name);
      return true;
    }
  }
  return false;
}

bool ReadStep(std::string_view raw, int side, std::string& out) {
  std::string text = Normalised(raw.substr(0, kMaxStep));
  StepText step;
  size_t i = 0;
  while (i <= text.size()) {
    size_t plus = text.find('+', i);
    if (plus == std::string::npos) plus = text.size();
    std::string_view part = TrimDashes(std::string_view(text).substr(i, plus - i));
    i = plus + 1;
    if (part.empty()) continue;
    if (part == "pause" || part == "~") {
      step.pause = true;
      continue;
    }
    if (size_t at = part.find('@'); at != std::string_view::npos) {
      step.time = std::string(part.substr(at + 1, 8));
      part = TrimDashes(part.substr(0, at));
    }
    if (part.substr(0, 5) == "hold-") {
      part = TrimDashes(part.substr(5));
      if (step.time.empty()) step.time.assign(1, 'C');
    }
    if (part.empty()) continue;  // only a time, e.g. "+ (200 ms)"
    if (!ReadWord(part, side, step)) return false;
    if (step.directions.size() > kMaxPiece || step.buttons.size() > kMaxPiece) return false;
  }
  if (step.pause) {
    out.assign(1, '~');
    return true;
  }
  out.clear();
  const std::string& dirs = step.directions;
  if (dirs.size() >= 2 && step.time.empty() && step.buttons.empty()) {
    // Written as single directions so that the readable form shows each one
    // rather than a motion name.
    for (size_t k = 0; k < dirs.size(); ++k) {
      if (k > 0) out += ' ';
      out += dirs[k];
    }
    return true;
  }
  out = dirs;
  if (!dirs.empty() && !step.time.empty()) {
    out += '*';
    out += step.time;
  }
  if (!step.buttons.empty()) {
    if (!dirs.empty()) out += '+';
    out += step.buttons;
  }
  return true;
}

}  // namespace

bool ConvertWordNotation(std::string_view text, int side, std::string& out) {
  out.clear();
  std::string lower = ToLowerAscii(text.substr(0, kMaxInput));
  if (!IsWordNotation(lower)) return false;
  std::string cleaned = ReplaceThen(RemoveParentheses(lower));
  size_t i = 0;
  while (i <= cleaned.size()) {
    size_t comma = cleaned.find(',', i);
    if (comma == std::string::npos) comma = cleaned.size();
    std::string step;
    if (!ReadStep(std::string_view(cleaned).substr(i, comma - i), side, step)) return false;
    i = comma + 1;
    if (step.empty()) continue;
    if (!out.empty()) AppendBounded(out, kOutputSize, " ");
    AppendBounded(out, kOutputSize, step);
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return true;
}
