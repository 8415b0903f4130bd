#include "optionsarea/page_values.h"

#include "base/text_lines.h"
#include "base/text_util.h"

namespace {
ChoiceList ValueChoices(std::vector<std::pair<std::string, int32_t>> items) {
  ChoiceList list;
  for (auto& [label, value] : items) {
    list.labels.push_back(std::move(label));
    list.values.push_back(value);
  }
  return list;
}

std::string WithValue(const std::string& pattern, int32_t value) {
  std::string out = pattern;
  size_t at = out.find("%d");
  if (at == std::string::npos) return out;
  return out.replace(at, 2, std::to_string(value));
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    parts.push_back(Trim(std::string_view(text).substr(start, end - start)));
    start = end + 1;
  }
  return parts;
}
}  // namespace

ChoiceList PositionChoices(std::vector<std::string> labels) {
  ChoiceList list;
  for (size_t i = 0; i < labels.size(); ++i) list.values.push_back(static_cast<int32_t>(i));
  list.labels = std::move(labels);
  return list;
}

ChoiceList VideoModeChoices() {
  return PositionChoices({"Auto (MAME's Choice)", "BGFX", "Direct3D", "OpenGL", "GDI (software)"});
}
ChoiceList RotationChoices() {
  return PositionChoices(
      {"Game Default", "None", "Rotate Right (90\u00B0)", "Rotate Left (90\u00B0)", "180\u00B0"});
}
ChoiceList IntegerScaleChoices() {
  ChoiceList list = PositionChoices({"Off"});
  for (int n = 1; n <= 8; ++n) {
    list.labels.push_back(std::to_string(n) + "x");
    list.values.push_back(n);
  }
  return list;
}
ChoiceList PrescaleChoices() {
  ChoiceList list = ValueChoices({{"1x (Off)", 1}});
  for (int n = 2; n <= 8; ++n) {
    list.labels.push_back(std::to_string(n) + "x");
    list.values.push_back(n);
  }
  return list;
}
ChoiceList FrameSkipChoices() {
  ChoiceList list = ValueChoices({{"Off", 0}, {"Auto", -1}});
  for (int n = 1; n <= 10; ++n) {
    list.labels.push_back(std::to_string(n));
    list.values.push_back(n);
  }
  return list;
}
ChoiceList GlslFilterChoices() { return PositionChoices({"Plain", "Bilinear", "Bicubic"}); }
ChoiceList BgfxChainChoices() {
  return PositionChoices(
      {"Default", "Unfiltered", "HLSL (CRT simulation)", "CRT Geometry", "CRT Geometry Deluxe", "LCD Grid"});
}
ChoiceList BgfxBackendChoices() {
  return PositionChoices({"Default", "Direct3D 11", "Direct3D 12", "OpenGL", "Vulkan", "Automatic"});
}
ChoiceList FilterScalerChoices() {
  return PositionChoices(
      {"Smooth (Bilinear)", "Sharp (Pixels)", "xBRZ", "Sharp Bilinear", "Smooth 3D (Bicubic)"});
}
ChoiceList DitherChoices() { return PositionChoices({"Off", "Low", "Medium", "High"}); }
ChoiceList SoundChoices() {
  return PositionChoices({"Auto (MAME's Choice)", "Off", "DirectSound", "XAudio2", "PortAudio"});
}
ChoiceList SampleRateChoices() {
  return ValueChoices({{"Default (48000 Hz)", 0},
                       {"22050 Hz", 22050},
                       {"32000 Hz", 32000},
                       {"44100 Hz", 44100},
                       {"48000 Hz", 48000}});
}
ChoiceList AudioLatencyChoices() {
  return ValueChoices({{"1 (Lowest Delay)", 1}, {"2 (Default)", 2}, {"3", 3}, {"4", 4}, {"5 (Safest)", 5}});
}
ChoiceList JoystickProviderChoices() {
  return PositionChoices({"Auto", "Windows (hybrid)", "DirectInput", "XInput", "None"});
}
ChoiceList AutofireSpeedChoices() {
  return PositionChoices({"10 Per Second", "15 Per Second", "20 Per Second", "30 Per Second"});
}
ChoiceList OnGameStartChoices() {
  return PositionChoices({"Keep The Launcher Open", "Minimize The Launcher", "Close The Launcher"});
}
ChoiceList ThemeChoices() { return PositionChoices({"System", "Light", "Dark"}); }

int ChoiceIndexAdding(ChoiceList& list, int32_t value, const std::string& unlisted) {
  for (size_t i = 0; i < list.values.size(); ++i)
    if (list.values[i] == value) return static_cast<int>(i);
  list.labels.push_back(WithValue(unlisted, value));
  list.values.push_back(value);
  return static_cast<int>(list.values.size() - 1);
}

TextChoiceList LightgunDeviceChoices() {
  return {{"Keyboard", "Mouse", "Light Gun", "Joystick", "None"},
          {"keyboard", "mouse", "lightgun", "joystick", "none"}};
}
TextChoiceList LightgunProviderChoices() { return {{"Auto", "Win32", "Raw Input"}, {"auto", "win32", "rawinput"}}; }

int TextChoiceIndexAdding(TextChoiceList& list, const std::string& value) {
  for (size_t i = 0; i < list.values.size(); ++i)
    if (EqualsNoCase(list.values[i], value)) return static_cast<int>(i);
  list.labels.push_back(value);
  list.values.push_back(value);
  return static_cast<int>(list.values.size() - 1);
}

ResolutionList ResolutionChoices(const DisplayModes& modes, int32_t width, int32_t height, int* selected) {
  ResolutionList list;
  list.labels.push_back("Auto (MAME's Choice)");
  list.sizes.push_back({0, 0});
  for (const auto& [w, h] : modes) {
    list.labels.push_back(std::to_string(w) + " x " + std::to_string(h));
    list.sizes.push_back({w, h});
  }
  // A width of 0 is Auto whatever the height says, as MAME's command line treats it.
  std::pair<int32_t, int32_t> saved = width == 0 ? std::pair<int32_t, int32_t>{0, 0} : std::pair{width, height};
  for (size_t i = 0; i < list.sizes.size(); ++i)
    if (list.sizes[i] == saved) {
      *selected = static_cast<int>(i);
      return list;
    }
  list.labels.push_back(std::to_string(width) + " x " + std::to_string(height));
  list.sizes.push_back(saved);
  *selected = static_cast<int>(list.sizes.size() - 1);
  return list;
}

std::vector<std::string> ControllerFileChoices(const std::vector<std::string>& files, const std::string& saved,
                                               int* selected) {
  std::vector<std::string> labels{"None"};
  *selected = 0;
  for (const std::string& f : files) {
    labels.push_back(f);
    if (!saved.empty() && *selected == 0 && EqualsNoCase(f, saved)) *selected = static_cast<int>(labels.size() - 1);
  }
  if (!saved.empty() && *selected == 0) {
    labels.push_back(saved);
    *selected = static_cast<int>(labels.size() - 1);
  }
  return labels;
}

std::string ControllerFileOf(const std::vector<std::string>& labels, int selected, const std::string& current) {
  if (selected <= 0 || static_cast<size_t>(selected) >= labels.size()) return {};
  const std::string& name = labels[static_cast<size_t>(selected)];
  return Utf16Length(name) < 64 ? name : current;
}

int32_t ReadNumberField(const std::string& text, int32_t low, int32_t high, int32_t current) {
  int32_t value = 0;
  if (!ParseInt(Trim(text), value)) return current;
  return Clamp(value, low, high);
}

std::string RomsFieldAfterChoice(const std::string& field, const std::string& chosen, bool append) {
  const std::string trimmed = Trim(field);
  if (!append || trimmed.empty()) return chosen;
  for (const std::string& part : Split(trimmed, ';'))
    if (EqualsNoCase(part, chosen)) return trimmed;
  return trimmed.back() == ';' ? trimmed + chosen : trimmed + ";" + chosen;
}

std::string FirstFolderOf(const std::string& field) {
  for (const std::string& part : Split(field, ';'))
    if (!part.empty()) return part;
  return {};
}

bool FindSemicolonFolder(const std::string& field, const std::function<bool(const std::string&)>& is_folder,
                         std::string& folder, std::string& rest) {
  std::vector<std::string_view> pieces = SplitFields(field, ';');
  for (size_t first = 0; first < pieces.size(); ++first) {
    for (size_t last = pieces.size() - 1; last > first; --last) {
      const char* begin = pieces[first].data();
      std::string joined = Trim(std::string_view(begin, pieces[last].data() + pieces[last].size() - begin));
      if (joined.empty() || !is_folder(joined)) continue;
      folder = joined;
      rest.clear();
      for (size_t i = 0; i < pieces.size(); ++i) {
        if ((i >= first && i <= last) || Trim(pieces[i]).empty()) continue;
        if (!rest.empty()) rest += ';';
        rest += pieces[i];
      }
      return true;
    }
  }
  return false;
}

std::string SemicolonFolderText(const std::string& folder) {
  return "MAME cannot use a folder whose path holds a semicolon: " + folder +
         "\n\nRename the folder or choose another one.";
}
