// A stand-in for mame.exe. Queries (-listfull, -listxml, -verifyroms, -showusage) are
// answered from answers recorded from a real MAME; every call is logged to
// "fakemame-calls.txt" beside the program, and "fakemame-control.txt" beside
// it decides how a play call behaves (see tests/fixtures/mame0251/README.md).
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "fakemame_os.h"

namespace fakemame {
namespace {

const char kCallsFile[] = "fakemame-calls.txt";
#ifdef _WIN32
constexpr bool kWindowsBuild = true;
#else
constexpr bool kWindowsBuild = false;
#endif
const char kControlFile[] = "fakemame-control.txt";

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  char last = folder.back();
  if (last == '/' || last == '\\') return folder + name;
  return folder + PathSeparator() + name;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// One recorded answer: what went to each stream and the exit code.
struct Answer {
  std::string out, err;
  int code = 0;
};

std::string FixturesFolder(const Invocation& call) {
  std::string env = GetEnv("KORVO_FAKEMAME_FIXTURES");
  if (!env.empty() && PathIsFolder(env)) return env;
  std::string beside = Join(call.exe_folder, "fixtures");
  if (PathIsFolder(beside)) return beside;
  return FAKEMAME_FIXTURES;
}

// Reads BASE.EXT (stdout), BASE.err and BASE.rc from the fixtures folder.
bool LoadAnswer(const std::string& fixtures, const std::string& base, const std::string& ext, Answer& a) {
  std::string rel = base;
  for (char& c : rel)
    if (c == '/') c = PathSeparator();
  if (!ReadFileBytes(Join(fixtures, rel + ext), a.out)) return false;
  ReadFileBytes(Join(fixtures, rel + ".err"), a.err);
  std::string rc;
  a.code = ReadFileBytes(Join(fixtures, rel + ".rc"), rc) ? std::atoi(rc.c_str()) : 0;
  return true;
}

void Emit(const Answer& a) {
  // MAME prints its listing to stdout and its verdicts to stderr; a caller
  // reading both through one pipe sees them in this order.
  WriteStream(1, a.out);
  WriteStream(2, a.err);
}

std::string Substitute(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// MAME's wildcard match on set names: '*' any run, '?' one character.
bool WildMatch(const char* pattern, const char* name) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') return WildMatch(pattern + 1, name) || (*name && WildMatch(pattern, name + 1));
  if (*name == '\0') return false;
  if (*pattern != '?' && *pattern != *name) return false;
  return WildMatch(pattern + 1, name + 1);
}

// Visits each -listfull line after the header with its set name.
template <typename Visit>
void ForEachListfullLine(const std::string& listing, Visit visit) {
  size_t pos = listing.find('\n');
  while (pos != std::string::npos && pos + 1 < listing.size()) {
    size_t end = listing.find('\n', pos + 1);
    std::string line = listing.substr(pos + 1, end == std::string::npos ? std::string::npos : end - pos);
    size_t blank = line.find(' ');
    if (blank != std::string::npos) visit(line.substr(0, blank), line);
    pos = end;
  }
}

// The set's -listfull line, or "" when MAME does not know the set.
std::string ListfullLine(const std::string& listing, const std::string& set) {
  size_t at = listing.find("\n" + set + " ");
  if (set.empty() || at == std::string::npos) return "";
  size_t end = listing.find('\n', at + 1);
  return listing.substr(at + 1, end == std::string::npos ? std::string::npos : end - at);
}

// MAME's answer to a name it does not know, from the recording of the same
// command (each words it its own way).
Answer NoMatch(const std::string& fixtures, const std::string& recording, const std::string& name) {
  Answer a;
  if (!LoadAnswer(fixtures, recording, ".txt", a) && !LoadAnswer(fixtures, recording, ".xml", a)) {
    a.err = "No matching systems found for 'nosuchset'\n";
    a.code = 5;
  }
  a.err = Substitute(a.err, "'nosuchset'", "'" + name + "'");
  return a;
}

// Options of MAME that take a value: a word after them is not a set name.
bool TakesValue(const std::string& option) {
  static const char* const kBoolean[] = {"-listfull", "-listxml", "-verifyroms", "-noreadconfig",
                                         "-readconfig", "-window", "-nowindow", "-ll", "-lx"};
  for (const char* b : kBoolean)
    if (option == b) return false;
  return option.size() > 1 && option[0] == '-';
}

// The set a query is about: the word after the command, else the first word
// that is not an option's value.
std::string QuerySubject(const std::vector<std::string>& args, size_t command_at) {
  if (command_at + 1 < args.size() && !args[command_at + 1].empty() && args[command_at + 1][0] != '-')
    return args[command_at + 1];
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].empty() || args[i][0] == '-') continue;
    if (i > 0 && TakesValue(args[i - 1])) continue;
    return args[i];
  }
  return "";
}

std::string OptionValue(const std::vector<std::string>& args, const char* name, const char* alias) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == name || args[i] == alias) return args[i + 1];
  return "";
}

// Whether the set's zip, 7z or folder lies in one of the -rompath folders
// (MAME's default is "roms" in its working folder).
bool SetPresent(const std::vector<std::string>& args, const std::string& set) {
  std::string rompath = OptionValue(args, "-rompath", "-rp");
  if (rompath.empty()) rompath = "roms";
  size_t start = 0;
  while (start <= rompath.size()) {
    size_t end = rompath.find(';', start);
    std::string folder = rompath.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!folder.empty() && (PathIsFile(Join(folder, set + ".zip")) || PathIsFile(Join(folder, set + ".7z")) ||
                            PathIsFolder(Join(folder, set))))
      return true;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

std::map<std::string, std::string> ReadControl(const Invocation& call) {
  std::map<std::string, std::string> control;
  std::string text;
  if (!ReadFileBytes(Join(call.exe_folder, kControlFile), text)) return control;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t eq = line.find('=');
    if (eq != std::string::npos && !line.empty() && line[0] != '#') control[line.substr(0, eq)] = line.substr(eq + 1);
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return control;
}

int AnswerListfull(const Invocation& call, const std::string& fixtures, size_t at) {
  Answer all;
  if (!LoadAnswer(fixtures, "listfull", ".txt", all)) return 1;
  std::string pattern = QuerySubject(call.args, at);
  if (pattern.empty()) {
    Emit(all);
    return all.code;
  }
  Answer some;
  size_t header_end = all.out.find('\n');
  some.out = all.out.substr(0, header_end + 1);
  bool any = false;
  ForEachListfullLine(all.out, [&](const std::string& name, const std::string& line) {
    if (WildMatch(Lower(pattern).c_str(), name.c_str())) {
      some.out += line;
      any = true;
    }
  });
  if (!any) some = NoMatch(fixtures, "listfull-unknown", pattern);
  Emit(some);
  return some.code;
}

// Sets without a recording get the smallest listing that still names the
// machine, built from its -listfull line.
Answer MinimalListxml(const std::string& set, const std::string& line) {
  size_t q1 = line.find('"'), q2 = line.rfind('"');
  std::string description = q1 != std::string::npos && q2 > q1 ? line.substr(q1 + 1, q2 - q1 - 1) : set;
  Answer a;
  a.out = "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n"
          "\t<machine name=\"" + set + "\">\n\t\t<description>" + description +
          "</description>\n\t</machine>\n</mame>\n";
  return a;
}

int AnswerListxml(const Invocation& call, const std::string& fixtures, size_t at) {
  std::string set = Lower(QuerySubject(call.args, at));
  Answer a;
  if (LoadAnswer(fixtures, "listxml/" + set, ".xml", a)) {
    Emit(a);
    return a.code;
  }
  Answer listing;
  LoadAnswer(fixtures, "listfull", ".txt", listing);
  std::string line = ListfullLine(listing.out, set);
  a = !line.empty() ? MinimalListxml(set, line) : NoMatch(fixtures, "listxml/unknown", set);
  Emit(a);
  return a.code;
}

int AnswerVerifyroms(const Invocation& call, const std::string& fixtures, size_t at) {
  std::string set = Lower(QuerySubject(call.args, at));
  auto control = ReadControl(call);
  // A slow check, for callers that must stay usable while MAME works.
  if (control.count("verifyroms-delay-ms")) SleepMs(std::atol(control["verifyroms-delay-ms"].c_str()));
  Answer a;
  if (LoadAnswer(fixtures, "verifyroms/" + set, ".txt", a)) {  // sets that need no files
    Emit(a);
    return a.code;
  }
  Answer listing;
  LoadAnswer(fixtures, "listfull", ".txt", listing);
  if (ListfullLine(listing.out, set).empty()) {
    a = NoMatch(fixtures, "verifyroms/unknown", set);
    Emit(a);
    return a.code;
  }
  // Present files are judged as recorded (sfex2 was recorded with wrong
  // files); sets present without such a recording pass.
  std::string ignored;
  bool recorded_wrong = ReadFileBytes(Join(fixtures, "verifyroms") + PathSeparator() + set + "-wrong.txt", ignored);
  std::string verdict = control.count("verifyroms")  ? control["verifyroms"]
                        : !SetPresent(call.args, set) ? "missing"
                        : recorded_wrong              ? "wrong"
                                                      : "good";
  if (verdict == "good") {
    // A sound set's summary goes to stdout, a bad one's to stderr.
    a.out = "romset " + set + " is good\n1 romsets found, 1 were OK.\n";
  } else if (verdict == "wrong" && LoadAnswer(fixtures, "verifyroms/" + set + "-wrong", ".txt", a)) {
  } else if (verdict == "wrong" && LoadAnswer(fixtures, "verifyroms/sfex2-wrong", ".txt", a)) {
    // Only sfex2 was recorded with wrong files; other sets borrow its form.
    a.out = Substitute(a.out, "sfex2       :", set + std::string(set.size() < 12 ? 12 - set.size() : 1, ' ') + ":");
    a.out = Substitute(a.out, "romset sfex2 ", "romset " + set + " ");
  } else {
    if (!LoadAnswer(fixtures, "verifyroms/" + set + "-missing", ".txt", a) &&
        LoadAnswer(fixtures, "verifyroms/sfex2-missing", ".txt", a))
      a.err = Substitute(a.err, "\"sfex2\"", "\"" + set + "\"");
  }
  Emit(a);
  return a.code;
}

// The recorded list of options, or the file the control names instead (an
// edited answer: a MAME of another year with other options). The recording
// is of the SDL build; standing in for mame.exe, the Windows build adds the
// options only MAME's Windows build has (HLSL and the like), unless the
// control asks for the SDL build's list.
int AnswerShowusage(const Invocation& call, const std::string& fixtures) {
  auto control = ReadControl(call);
  Answer a;
  if (control.count("showusage-file")) {
    std::string path = control["showusage-file"];
    if (!ReadFileBytes(path, a.out)) ReadFileBytes(Join(call.exe_folder, path), a.out);
  } else if (!LoadAnswer(fixtures, "showusage", ".txt", a)) {
    return 1;
  } else if (kWindowsBuild && control["showusage-osd"] != "sdl") {
    std::string windows_only;
    if (ReadFileBytes(Join(fixtures, "showusage-windows-osd.txt"), windows_only)) a.out += windows_only;
  }
  Emit(a);
  return a.code;
}

// Turns "\n", "\r", "\t" and "\\" in a control value into the characters.
std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    char c = s[++i];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
  }
  return out;
}

int Play(const Invocation& call, const std::string& fixtures) {
  auto control = ReadControl(call);
  int stream = control["stream"] == "stderr" ? 2 : 1;
  int code = 0;
  if (control.count("bytes")) {
    long n = std::atol(control["bytes"].c_str());
    // Numbered lines, so a reader can tell which part of the output it got.
    std::string chunk;
    for (long line = 0; static_cast<long>(chunk.size()) < n; ++line) {
      std::string text = "line " + std::to_string(line) + " ";
      chunk += text + std::string(text.size() < 79 ? 79 - text.size() : 0, 'x') + "\n";
    }
    chunk.resize(static_cast<size_t>(n < 0 ? 0 : n));
    WriteStream(stream, chunk);
  }
  if (control.count("print-fixture")) {
    Answer a;
    if (LoadAnswer(fixtures, control["print-fixture"], ".txt", a)) {
      Emit(a);
      code = a.code;
    }
  }
  if (control.count("print-file")) {
    std::string text, path = control["print-file"];
    if (ReadFileBytes(path, text) || ReadFileBytes(Join(call.exe_folder, path), text)) WriteStream(stream, text);
  }
  if (control.count("print")) WriteStream(stream, Unescape(control["print"]));
  if (control.count("exit")) code = std::atoi(control["exit"].c_str());
  if (control.count("picture")) {  // "WxH": a window of that client size
    std::string size = control["picture"];
    size_t x = size.find('x');
    int w = std::atoi(size.c_str()), h = x == std::string::npos ? 0 : std::atoi(size.c_str() + x + 1);
    if (w > 0 && h > 0) ShowPictureWindow(w, h);
  }
  if (control["hang"] == "1") HangUntilKilled();
  if (control.count("delay-ms")) SleepMs(std::atol(control["delay-ms"].c_str()));
  return code;
}

void RecordCall(const Invocation& call) {
  std::string record = "[call]\ncommand-line=" + call.command_line + "\n";
  for (const std::string& arg : call.args) record += "arg=" + arg + "\n";
  record += "folder=" + call.folder + "\nstdin=" + call.std_in + "\nstdout=" + call.std_out +
            "\nstderr=" + call.std_err + "\n";
  AppendFileBytes(Join(call.exe_folder, kCallsFile), record);
}

int Run(int argc, char** argv) {
  Invocation call = ReadInvocation(argc, argv);
  RecordCall(call);
  std::string fixtures = FixturesFolder(call);
  for (size_t i = 0; i < call.args.size(); ++i) {
    const std::string& a = call.args[i];
    if (a == "-listfull" || a == "-ll") return AnswerListfull(call, fixtures, i);
    if (a == "-listxml" || a == "-lx") return AnswerListxml(call, fixtures, i);
    if (a == "-verifyroms") return AnswerVerifyroms(call, fixtures, i);
    if (a == "-showusage") return AnswerShowusage(call, fixtures);
  }
  return Play(call, fixtures);
}

}  // namespace
}  // namespace fakemame

int main(int argc, char** argv) { return fakemame::Run(argc, argv); }
