#include "launch/mame_args.h"

#include <algorithm>
#include <cstdio>

#include "base/file_system.h"
#include "base/paths.h"
#include "base/text_util.h"
#include "catalogue/mame_usage.h"
#include "launch/mame_asker.h"
#include "launch/mame_location.h"

namespace {
const char* Pick(const char* const* names, int count, int32_t index) {
  return index >= 1 && index <= count ? names[index - 1] : nullptr;
}

// "-name" when on, "-noname" when off: MAME's boolean options.
void Switch(ArgList& out, const char* name, bool on) { out.push_back((on ? "-" : "-no") + std::string(name)); }

void Pair(ArgList& out, const char* option, std::string value) {
  out.push_back(option);
  out.push_back(std::move(value));
}

std::string Fraction(int32_t percent) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d", percent / 100, percent % 100);
  return text;
}

// The values that a game's overrides can replace.
struct Effective {
  int32_t video, fullscreen, res_w, res_h, rotate, keep_aspect, filter, wait_vsync, bgfx_chain, sound, volume, cheat,
      skip_gameinfo, autosave;
};

Effective EffectiveValues(const Settings& s, const GameSettings* g, const LaunchRequest* request) {
  Effective e{s.video,  s.fullscreen, s.res_w, s.res_h,  s.rotate, s.keep_aspect,   s.filter,
              s.wait_vsync, s.bgfx_chain, s.sound, s.volume, s.cheat, s.skip_gameinfo, s.autosave};
  if (g) {
    auto take = [](int32_t& value, int32_t override_value) {
      if (override_value >= 0) value = override_value;
    };
    take(e.video, g->video);
    take(e.fullscreen, g->fullscreen);
    take(e.rotate, g->rotate);
    take(e.keep_aspect, g->keep_aspect);
    take(e.filter, g->filter);
    take(e.wait_vsync, g->wait_vsync);
    take(e.bgfx_chain, g->bgfx_chain);
    take(e.cheat, g->cheat);
    take(e.skip_gameinfo, g->skip_gameinfo);
    take(e.autosave, g->autosave);
    if (g->res_w > 0) {
      e.res_w = g->res_w;
      e.res_h = g->res_h;
    }
    // The game's sound is on/off: off is MAME's "none"; on goes back to the
    // global choice, except that a global "none" would keep it silent.
    if (g->sound == 0) e.sound = 1;
    else if (g->sound >= 1 && e.sound == 1) e.sound = 0;
    if (g->volume != kVolumeSameAsGlobal) e.volume = g->volume;
  }
  if (request && (request->screen_mode == 0 || request->screen_mode == 1)) e.fullscreen = request->screen_mode;
  return e;
}

std::string RomPath(const Settings& s) {
  std::string joined;
  const std::string& dirs = s.roms_directory;
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(';', start);
    if (end == std::string::npos) end = dirs.size();
    std::string piece = Trim(std::string_view(dirs).substr(start, end - start));
    if (!piece.empty()) {
      if (!joined.empty()) joined += ';';
      joined += ResolvePath(piece);
    }
    start = end + 1;
  }
  std::string bios = Trim(s.bios_directory);
  if (!bios.empty()) {
    if (joined.empty()) joined = MameRomsFolder(s);
    joined += ';';
    joined += ResolvePath(bios);
  }
  return joined;
}
}  // namespace

const char* VideoName(int32_t video) {
  static const char* const kNames[] = {"bgfx", "d3d", "opengl", "gdi"};
  return Pick(kNames, 4, video);
}
const char* BgfxChainName(int32_t chain) {
  static const char* const kNames[] = {"unfiltered", "hlsl", "crt-geom", "crt-geom-deluxe", "lcd-grid"};
  return Pick(kNames, 5, chain);
}
const char* BgfxBackendName(int32_t backend) {
  static const char* const kNames[] = {"d3d11", "d3d12", "opengl", "vulkan", "auto"};
  return Pick(kNames, 5, backend);
}
const char* SoundName(int32_t sound) {
  static const char* const kNames[] = {"none", "dsound", "xaudio2", "portaudio"};
  return Pick(kNames, 4, sound);
}
const char* JoystickProviderName(int32_t provider) {
  static const char* const kNames[] = {"winhybrid", "dinput", "xinput", "none"};
  return Pick(kNames, 4, provider);
}

namespace {
// Where the user's own free texts lie in the list: they reach MAME as typed.
struct TypedRange {
  size_t from = 0, to = 0;
  bool Holds(size_t i) const { return i >= from && i < to; }
};

// Takes out every option this MAME does not have, with its value (a
// following argument that is not an option), and notes each once.
void LeaveOutWhatMameLacks(ArgList& out, size_t from, TypedRange typed, const MameUsage& usage,
                           std::vector<std::string>* left_out) {
  if (!usage.Known()) return;
  ArgList kept(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(from));
  for (size_t i = from; i < out.size(); ++i) {
    if (typed.Holds(i) || !IsOptionArgument(out[i]) || HasMameArgument(usage, out[i])) {
      kept.push_back(std::move(out[i]));
      continue;
    }
    if (left_out && std::find(left_out->begin(), left_out->end(), out[i]) == left_out->end())
      left_out->push_back(out[i]);
    if (i + 1 < out.size() && !typed.Holds(i + 1) && !IsOptionArgument(out[i + 1])) ++i;
  }
  out = std::move(kept);
}

void AppendMameArgs(const Settings& s, const GameSettingsList& game_settings, const GameList& games,
                    int32_t game_number, const LaunchRequest* request, ArgList& out, TypedRange& typed) {
  const GameEntry* entry = FindGameByNumber(games, game_number);
  const GameSettings* g = FindGameSettings(game_settings, game_number);
  const Effective e = EffectiveValues(s, g, request);
  const bool shortcut = request && request->for_shortcut;
  const bool windowed = e.fullscreen == 0;

  out.push_back(entry ? entry->set : std::string());
  if (g && !g->bios.empty()) Pair(out, "-bios", g->bios);
  if (std::string rompath = RomPath(s); !rompath.empty()) Pair(out, "-rompath", rompath);
  if (const char* name = VideoName(e.video)) Pair(out, "-video", name);
  Switch(out, "window", windowed);
  if (windowed) Switch(out, "maximize", s.maximize);
  if (e.res_w > 0) Pair(out, "-resolution", std::to_string(e.res_w) + "x" + std::to_string(e.res_h));
  switch (e.rotate) {
    case 1: out.push_back("-norotate"); break;
    case 2: out.push_back("-ror"); break;
    case 3: out.push_back("-rol"); break;
    case 4:
      out.push_back("-flipx");
      out.push_back("-flipy");
      break;
    default: break;
  }
  Switch(out, "keepaspect", e.keep_aspect);
  Switch(out, "unevenstretch", s.uneven_stretch);
  if (s.integer_scale > 0) {
    Pair(out, "-intscalex", std::to_string(s.integer_scale));
    Pair(out, "-intscaley", std::to_string(s.integer_scale));
  }
  Switch(out, "filter", e.filter);
  if (s.prescale >= 2) Pair(out, "-prescale", std::to_string(s.prescale));
  Switch(out, "waitvsync", e.wait_vsync);
  Switch(out, "syncrefresh", s.sync_refresh);
  Switch(out, "throttle", s.throttle);
  if (s.frameskip >= 0) {
    out.push_back("-noautoframeskip");
    Pair(out, "-frameskip", std::to_string(s.frameskip));
  } else if (s.frameskip == -1) {
    out.push_back("-autoframeskip");
  }
  // HLSL exists only in MAME's Direct3D renderer, GLSL only in OpenGL.
  const bool hlsl = e.video == 2 && s.hlsl_enable;
  Switch(out, "hlsl_enable", hlsl);
  if (hlsl) ParseArgText(s.hlsl_options, out);
  const bool glsl = e.video == 3 && s.gl_glsl;
  Switch(out, "gl_glsl", glsl);
  if (glsl) {
    if (s.gl_glsl_filter != 1) Pair(out, "-gl_glsl_filter", std::to_string(s.gl_glsl_filter));
    if (!s.glsl_shader.empty()) Pair(out, "-glsl_shader_screen0", s.glsl_shader);
  }
  if (const char* name = BgfxChainName(e.bgfx_chain)) Pair(out, "-bgfx_screen_chains", name);
  if (const char* name = BgfxBackendName(s.bgfx_backend)) Pair(out, "-bgfx_backend", name);
  Switch(out, "artwork_crop", s.artwork_crop);
  if (const char* name = SoundName(e.sound)) Pair(out, "-sound", name);
  if (s.sample_rate > 0) Pair(out, "-samplerate", std::to_string(s.sample_rate));
  if (e.volume != 0) Pair(out, "-volume", std::to_string(e.volume));
  if (s.audio_latency != 2) Pair(out, "-audio_latency", std::to_string(s.audio_latency));
  Switch(out, "joystick", s.joystick);
  if (const char* name = JoystickProviderName(s.joystick_provider)) Pair(out, "-joystickprovider", name);
  Switch(out, "mouse", s.mouse);
  Switch(out, "lightgun", s.lightgun);
  Switch(out, "joystick_contradictory", s.joystick_contradictory);
  if (s.joystick_deadzone != 30) Pair(out, "-joystick_deadzone", Fraction(s.joystick_deadzone));
  if (s.joystick_saturation != 85) Pair(out, "-joystick_saturation", Fraction(s.joystick_saturation));
  if (!s.controller_file.empty()) Pair(out, "-ctrlr", s.controller_file);
  Switch(out, "skip_gameinfo", e.skip_gameinfo);
  Switch(out, "autosave", e.autosave);
  Switch(out, "cheat", e.cheat);
  Switch(out, "confirm_quit", s.confirm_quit);
  // The user's own options come after ours: MAME takes the last occurrence.
  ParseArgText(s.more_options, out);
  typed.from = out.size();
  ParseArgText(s.extra_arguments, out);
  if (g) ParseArgText(g->extra_arguments, out);
  typed.to = out.size();

  if (!shortcut && entry) CallStripGameCfgInputs(entry->set);
  // The warning-screen skip presses a key that MAME sees only through DirectInput.
  if (!shortcut && s.skip_warnings) Pair(out, "-keyboardprovider", "dinput");
  SetCombosActive(false);
  if (shortcut) return;

  std::string path = "plugins";  // MAME's own plugins (boot.lua) come first
  std::string names;
  std::string folder;
  if (CallWriteCombosPlugin(folder)) {
    path += ';' + folder;
    names = "korvo_combos";
    SetCombosActive(true);
  }
  folder.clear();
  if (s.logs && CallWriteInputLogPlugin(folder)) {
    path += ';' + folder;
    if (!names.empty()) names += ',';
    names += "korvo_diag";
  }
  if (!names.empty()) {
    out.push_back("-plugins");
    Pair(out, "-pluginspath", path);
    Pair(out, "-plugin", names);
  }

  // The filter window needs MAME in a plain window at the game's own size;
  // last, so that these win over everything before.
  if (s.filter_window) {
    for (const char* a : {"-window", "-nomaximize", "-nokeepaspect", "-nofilter", "-prescale", "1", "-intscalex", "0",
                          "-intscaley", "0", "-resolution", "auto"})
      out.push_back(a);
  }
}
}  // namespace

void BuildMameArgs(const Settings& s, const GameSettingsList& game_settings, const GameList& games,
                   int32_t game_number, const LaunchRequest* request, ArgList& out,
                   std::vector<std::string>* left_out) {
  const size_t start = out.size();
  TypedRange typed;
  AppendMameArgs(s, game_settings, games, game_number, request, out, typed);
  // An option MAME does not know stops it before the game starts; what the
  // user typed as extra arguments is passed as typed all the same.
  LeaveOutWhatMameLacks(out, start + 1, typed, CachedMameUsage(LocatedMameAsker(s)), left_out);
  if (std::find(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), "-plugin") == out.end())
    SetCombosActive(false);
}

std::string LeftOutText(const std::vector<std::string>& left_out) {
  std::string text = "Left out for this MAME: ";
  for (size_t i = 0; i < left_out.size(); ++i) text += (i ? ", " : "") + left_out[i];
  return text;
}

void BuildProbeArgs(const Settings& s, const std::string& plugin_folder, ArgList& out) {
  for (const char* a : {"pong", "-video", "none", "-sound", "none", "-seconds_to_run", "2", "-joystick"})
    out.push_back(a);
  if (const char* name = JoystickProviderName(s.joystick_provider)) Pair(out, "-joystickprovider", name);
  out.push_back("-plugins");
  Pair(out, "-pluginspath", "plugins;" + plugin_folder);
  Pair(out, "-plugin", "korvo_probe");
}

// The Windows rules for the arguments after the program name, including the
// treatment of doubled quotes inside a quoted part.
void ParseArgText(const std::string& text, ArgList& out) {
  size_t i = 0;
  const size_t n = text.size();
  auto blank = [&](size_t k) { return k < n && (text[k] == ' ' || text[k] == '\t'); };
  while (blank(i)) ++i;
  if (i >= n) return;
  std::string arg;
  int quotes = 0;      // 0 outside quotes, 1 inside
  size_t slashes = 0;  // backslashes just before the current character
  while (i < n) {
    char c = text[i];
    if ((c == ' ' || c == '\t') && quotes == 0) {
      out.push_back(std::move(arg));
      arg.clear();
      while (blank(i)) ++i;
      slashes = 0;
      if (i >= n) return;
      continue;
    }
    if (c == '\\') {
      arg += c;
      ++slashes;
      ++i;
      continue;
    }
    if (c == '"') {
      if (slashes % 2 == 0) {
        arg.resize(arg.size() - slashes / 2);
        ++quotes;
      } else {
        arg.resize(arg.size() - slashes / 2 - 1);
        arg += '"';
      }
      ++i;
      slashes = 0;
      // A run of quotes: every third one is a literal quote.
      while (i < n && text[i] == '"') {
        if (++quotes == 3) {
          arg += '"';
          quotes = 0;
        }
        ++i;
      }
      if (quotes == 2) quotes = 0;
      continue;
    }
    arg += c;
    slashes = 0;
    ++i;
  }
  out.push_back(std::move(arg));
}

std::string QuoteArg(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t\"") == std::string::npos) return text;
  std::string out = "\"";
  size_t slashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++slashes;
      continue;
    }
    if (c == '"') out.append(2 * slashes + 1, '\\');
    else out.append(slashes, '\\');
    slashes = 0;
    out += c;
  }
  out.append(2 * slashes, '\\');
  out += '"';
  return out;
}

std::string JoinArgs(const ArgList& args) {
  std::string out;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) out += ' ';
    out += QuoteArg(args[i]);
  }
  return out;
}

std::string MameCommandLine(const std::string& program, const ArgList& args) {
  std::string out = QuoteArg(program);
  if (!args.empty()) out += ' ' + JoinArgs(args);
  return out;
}

std::vector<std::string> ListControllerFiles(const Settings& settings, size_t capacity) {
  std::vector<std::string> names;
  std::vector<FolderEntry> entries;
  if (!ListFolder(JoinPath(MameFolder(settings), "ctrlr"), entries)) return names;
  for (const FolderEntry& e : entries) {
    if (names.size() >= capacity) break;
    if (e.is_folder || e.name.size() < 5) continue;
    std::string_view name = e.name;
    if (!EqualsNoCase(name.substr(name.size() - 4), ".cfg")) continue;
    std::string stem(name.substr(0, name.size() - 4));
    // The setting holds at most 63 characters; a longer name could not be
    // passed back to MAME intact, so it is not offered.
    if (Utf16Length(stem) > kShortFieldSize - 1) continue;
    names.push_back(std::move(stem));
  }
  return names;
}
