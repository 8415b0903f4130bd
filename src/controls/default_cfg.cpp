#include "controls/default_cfg.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/cfg_elements.h"
#include "controls/sequence_text.h"

namespace {

constexpr std::string_view kNewseqOpen = "<newseq type=\"standard\">";
constexpr std::string_view kNewseqClose = "</newseq>";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

void AddToExtra(std::string& extra, const std::string& alternative) {
  size_t grown = extra.size() + alternative.size() + (extra.empty() ? 0 : 4);
  if (grown > kExtraMax) return;  // an alternative that does not fit is dropped whole
  if (!extra.empty()) extra += " OR ";
  extra += alternative;
}

void PlaceAlternative(ActionBinding& b, const std::string& alt) {
  if (!IsSafeSequencePart(alt)) return;  // damaged bytes are no code MAME knows
  if (alt.find(' ') == std::string::npos) {
    if (alt.rfind("KEYCODE_", 0) == 0 && b.key.empty() && alt.size() <= 46) {
      b.key = alt.substr(8);
      return;
    }
    if (alt.rfind("JOYCODE_", 0) == 0 && b.pad.empty() && alt.size() <= 78) {
      b.pad = alt.substr(8);
      return;
    }
  }
  // Codes held together (with a blank) and every further code.
  AddToExtra(b.extra, alt);
}

void ReadSequence(ActionBinding& b, std::string_view seq) {
  seq = TrimBlanks(seq);
  if (seq == "NONE") return;
  std::string current;
  size_t i = 0;
  while (i < seq.size()) {
    while (i < seq.size() && IsBlank(seq[i])) ++i;
    size_t start = i;
    while (i < seq.size() && !IsBlank(seq[i])) ++i;
    if (start == i) break;
    std::string_view token = seq.substr(start, i - start);
    if (token == "OR") {
      if (!current.empty()) PlaceAlternative(b, current);
      current.clear();
    } else {
      if (!current.empty()) current += ' ';
      current += token;
    }
  }
  if (!current.empty()) PlaceAlternative(b, current);
}

}  // namespace

void ReadDefaultCfgText(InputMapping& m, const std::string& text) {
  for (ActionBinding& b : m.bindings) b = ActionBinding{};
  for (int i = 0; i < kActionCount; ++i) {
    // The first whole element counts: a broken opening tag before it (which
    // the writer cannot remove) must not hide the entry written after it.
    PortElement el = FindPortElement(text, ActionAt(i).port, 0);
    while (el.found && !el.closed) el = FindPortElement(text, ActionAt(i).port, el.match + 1);
    if (!el.found) continue;
    std::string_view element(text.data() + el.match, el.end - el.match);
    size_t open = element.find(kNewseqOpen);
    if (open == std::string_view::npos) continue;
    size_t body = open + kNewseqOpen.size();
    size_t close = element.find(kNewseqClose, body);
    if (close == std::string_view::npos) continue;
    ActionBinding& b = m.bindings[i];
    b.present = true;
    ReadSequence(b, element.substr(body, close - body));
  }
}

std::string SequenceToWrite(const InputMapping& m, int index) {
  const ActionBinding& b = m.bindings[index];
  if (b.autofire && IsAutofireButton(index) && m.autofire_taken_over) return "NONE";
  // A part with markup characters (from a hand-edited profile, say) would
  // break the XML that MAME reads, so it is left out.
  std::vector<std::string> parts;
  for (const std::string& part : SplitAlternatives(RealSequence(b)))
    if (IsSafeSequencePart(part)) parts.push_back(part);
  std::string seq = JoinAlternatives(parts);
  return seq.empty() ? "NONE" : seq;
}

namespace {

std::string BuildEntries(const InputMapping& m) {
  std::string out;
  for (int i = 0; i < kActionCount; ++i) {
    if (!m.bindings[i].present) continue;
    out += "            <port type=\"";
    out += ActionAt(i).port;
    out += "\">\n                <newseq type=\"standard\">\n                    ";
    out += SequenceToWrite(m, i);
    out += "\n                </newseq>\n            </port>\n";
  }
  return out;
}

// Start of the run of spaces and tabs that directly precedes `pos`.
size_t IndentStart(const std::string& text, size_t pos) {
  while (pos > 0 && (text[pos - 1] == ' ' || text[pos - 1] == '\t')) --pos;
  return pos;
}

}  // namespace

CfgEdit EditDefaultCfgText(const InputMapping& m, std::string& text) {
  // Take out every element of the 25 ports, collected first and cut in one
  // pass so that a file with many duplicates stays linear. A cut can make a
  // damaged neighbour look whole, so repeat until nothing more goes (a few
  // rounds at most, even for badly nested files).
  for (int round = 0; round < 64; ++round) {
    std::vector<std::pair<size_t, size_t>> cuts;
    for (int i = 0; i < kActionCount; ++i) {
      size_t from = 0;
      for (;;) {
        PortElement el = FindPortElement(text, ActionAt(i).port, from);
        if (!el.found) break;
        if (!el.closed) {
          // An opening tag without its end is neither read nor removed.
          from = el.match + 1;
          continue;
        }
        cuts.push_back(ElementCutRange(text, el));
        from = el.end;
      }
    }
    if (cuts.empty()) break;
    text = CutRanges(text, std::move(cuts));
  }

  bool any_present = false;
  for (const ActionBinding& b : m.bindings) any_present |= b.present;
  const std::string entries = BuildEntries(m);

  if (text.empty() || text.find("<mameconfig") == std::string::npos) {
    if (!any_present) return CfgEdit::NothingKept;
    text = "<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n    <system name=\"default\">\n        <input>\n" +
           entries + "        </input>\n    </system>\n</mameconfig>\n";
    return CfgEdit::Write;
  }

  size_t system = text.find("<system name=\"default\">");
  if (system == std::string::npos) {
    if (!any_present) return CfgEdit::NothingDone;
    size_t end = text.rfind("</mameconfig>");
    if (end == std::string::npos) return CfgEdit::Broken;
    text.insert(end, "    <system name=\"default\">\n        <input>\n" + entries + "        </input>\n    </system>\n");
    return CfgEdit::Write;
  }

  size_t system_end = text.find("</system>", system);
  if (system_end == std::string::npos) return CfgEdit::Broken;
  size_t input = text.find("<input>", system);
  if (input == std::string::npos || input > system_end) {
    if (!any_present) return CfgEdit::NothingDone;
    text.insert(system_end, "        <input>\n" + entries + "        </input>\n    ");
    return CfgEdit::Write;
  }
  size_t input_end = text.find("</input>", input);
  if (input_end == std::string::npos || input_end > system_end) return CfgEdit::Broken;
  text.insert(IndentStart(text, input_end), entries);
  return CfgEdit::Write;
}
