#include "catalogue/driver_status.h"

#include <vector>

const DriverFeature kDriverFeatures[kDriverFeatureCount] = {
    {"protection", "protection"}, {"timing", "timing"},     {"graphics", "graphics"},
    {"palette", "colors"},        {"sound", "sound"},       {"capture", "video capture"},
    {"camera", "camera"},         {"microphone", "microphone"}, {"controls", "controls"},
    {"keyboard", "keyboard"},     {"mouse", "mouse"},       {"media", "media"},
    {"disk", "disk"},             {"printer", "printer"},   {"tape", "tape"},
    {"punch", "punch"},           {"drum", "drum"},         {"rom", "storage"},
    {"comms", "communications"},  {"lan", "network"},       {"wan", "internet"},
};

namespace {
struct Attribute {
  std::string_view name, value;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The tag's name and its name="value" pairs, in one pass over the tag's text.
std::string_view ReadTag(std::string_view tag, std::vector<Attribute>& attributes) {
  attributes.clear();
  size_t i = 0;
  while (i < tag.size() && !IsBlank(tag[i]) && tag[i] != '/') ++i;
  std::string_view name = tag.substr(0, i);
  while (i < tag.size()) {
    while (i < tag.size() && (IsBlank(tag[i]) || tag[i] == '/')) ++i;
    size_t key = i;
    while (i < tag.size() && tag[i] != '=' && !IsBlank(tag[i])) ++i;
    if (i + 1 >= tag.size() || tag[i] != '=' || tag[i + 1] != '"') break;
    size_t open = i + 2, close = tag.find('"', open);
    if (close == std::string_view::npos) break;
    attributes.push_back({tag.substr(key, i - key), tag.substr(open, close - open)});
    i = close + 1;
  }
  return name;
}

std::string_view Value(const std::vector<Attribute>& attributes, std::string_view name) {
  for (const Attribute& a : attributes)
    if (a.name == name) return a.value;
  return {};
}

DriverLevel LevelOf(std::string_view text) {
  if (text == "good") return DriverLevel::kGood;
  if (text == "imperfect") return DriverLevel::kImperfect;
  if (text == "preliminary") return DriverLevel::kPreliminary;
  return DriverLevel::kUnknown;
}

const char* LevelWord(DriverLevel level) {
  switch (level) {
    case DriverLevel::kGood: return "good";
    case DriverLevel::kImperfect: return "imperfect";
    case DriverLevel::kPreliminary: return "preliminary";
    case DriverLevel::kUnknown: break;
  }
  return "";
}

void ReadDriver(const std::vector<Attribute>& a, DriverStatus& s) {
  s.status = LevelOf(Value(a, "status"));
  s.emulation = LevelOf(Value(a, "emulation"));
  s.savestate_unsupported = Value(a, "savestate") == "unsupported";
  s.no_sound_hardware = Value(a, "nosoundhardware") == "yes";
  s.requires_artwork = Value(a, "requiresartwork") == "yes";
  s.incomplete = Value(a, "incomplete") == "yes";
  s.unofficial = Value(a, "unofficial") == "yes";
}

void ReadFeature(const std::vector<Attribute>& a, DriverStatus& s) {
  std::string_view type = Value(a, "type"), level = Value(a, "overall");
  if (level.empty()) level = Value(a, "status");
  for (int f = 0; f < kDriverFeatureCount; ++f) {
    if (type != kDriverFeatures[f].type) continue;
    const uint32_t bit = 1u << f;
    s.imperfect &= ~bit;
    s.unemulated &= ~bit;
    if (level == "imperfect") s.imperfect |= bit;
    if (level == "unemulated") s.unemulated |= bit;
  }
}

std::string FeatureList(uint32_t bits) {
  std::string list;
  for (int f = 0; f < kDriverFeatureCount; ++f)
    if (bits & (1u << f)) list += (list.empty() ? "" : ", ") + std::string(kDriverFeatures[f].words);
  return list;
}
}  // namespace

size_t ParseDriverStatuses(std::string_view xml, DriverStatuses& out) {
  size_t count = 0;
  std::vector<Attribute> attributes;
  std::string machine;
  DriverStatus status;
  bool inside = false, has_driver = false;
  auto finish = [&] {
    if (inside && has_driver && !machine.empty()) {
      out[machine] = status;
      ++count;
    }
    inside = has_driver = false;
  };
  for (size_t pos = xml.find('<'); pos != std::string_view::npos; pos = xml.find('<', pos)) {
    size_t close = xml.find('>', pos + 1);
    if (close == std::string_view::npos) break;
    std::string_view name = ReadTag(xml.substr(pos + 1, close - pos - 1), attributes);
    pos = close + 1;
    if (name == "machine") {
      finish();
      inside = true;
      machine = Value(attributes, "name");
      status = DriverStatus{};
    } else if (name == "/machine") {
      finish();
    } else if (inside && name == "driver") {
      ReadDriver(attributes, status);
      has_driver = true;
    } else if (inside && name == "feature") {
      ReadFeature(attributes, status);
    }
  }
  finish();
  return count;
}

std::string FormatDriverStatusElement(std::string_view machine, const DriverStatus& s) {
  std::string line = "<machine name=\"" + std::string(machine) + "\"><driver status=\"" + LevelWord(s.status) +
                     "\" emulation=\"" + LevelWord(s.emulation) + "\" savestate=\"" +
                     (s.savestate_unsupported ? "unsupported" : "supported") + "\"";
  const std::pair<bool, const char*> notes[] = {{s.no_sound_hardware, "nosoundhardware"},
                                                 {s.requires_artwork, "requiresartwork"},
                                                 {s.incomplete, "incomplete"},
                                                 {s.unofficial, "unofficial"}};
  for (const auto& [on, name] : notes)
    if (on) line += std::string(" ") + name + "=\"yes\"";
  line += "/>";
  for (int f = 0; f < kDriverFeatureCount; ++f) {
    const uint32_t bit = 1u << f;
    if ((s.imperfect | s.unemulated) & bit)
      line += std::string("<feature type=\"") + kDriverFeatures[f].type + "\" status=\"" +
              (s.unemulated & bit ? "unemulated" : "imperfect") + "\"/>";
  }
  return line + "</machine>";
}

std::string DriverStatusText(const DriverStatus& s) {
  std::string text;
  auto sentence = [&text](const std::string& words) { text += (text.empty() ? "" : " ") + words + "."; };
  const std::string imperfect = FeatureList(s.imperfect);
  switch (s.status) {
    case DriverLevel::kUnknown: return "";
    case DriverLevel::kGood: sentence("Working"); break;
    case DriverLevel::kImperfect: sentence(imperfect.empty() ? "Imperfect" : "Imperfect: " + imperfect); break;
    case DriverLevel::kPreliminary:
      sentence("Not working");
      if (!imperfect.empty()) sentence("Imperfect: " + imperfect);
      break;
  }
  if (s.unemulated) sentence("Not emulated: " + FeatureList(s.unemulated));
  if (s.savestate_unsupported) sentence("Save states not supported");
  if (s.no_sound_hardware) sentence("No sound hardware");
  if (s.requires_artwork) sentence("Needs external artwork");
  if (s.incomplete) sentence("Never finished");
  if (s.unofficial) sentence("Unofficial modification");
  return text;
}
