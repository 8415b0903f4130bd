// A stand-in for mame.exe. Queries (-listfull, -listxml, -verifyroms, -showusage) are
// answered from answers recorded from a real MAME; every call is logged to
// "fakemame-calls.txt" beside the program, and "fakemame-control.txt" beside
// it decides how a play call behaves (see tests/fixtures/mame0251/README.md).
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
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

// BASE.EXT (stdout), BASE.err and BASE.rc from the fixtures folder, read once:
// a call about hundreds of sets asks for the same recordings again and again.
const Answer* RecordedAnswer(const std::string& fixtures, const std::string& base, const std::string& ext) {
  static std::map<std::string, std::pair<bool, Answer>> loaded;
  std::string rel = base;
  for (char& c : rel)
    if (c == '/') c = PathSeparator();
  auto [kept, fresh] = loaded.try_emplace(Join(fixtures, rel + ext));
  if (fresh) {
    Answer& answer = kept->second.second;
    kept->second.first = ReadFileBytes(kept->first, answer.out);
    ReadFileBytes(Join(fixtures, rel + ".err"), answer.err);
    std::string rc;
    answer.code = ReadFileBytes(Join(fixtures, rel + ".rc"), rc) ? std::atoi(rc.c_str()) : 0;
  }
  return kept->second.first ? &kept->second.second : nullptr;
}

bool LoadAnswer(const std::string& fixtures, const std::string& base, const std::string& ext, Answer& a) {
  const Answer* recorded = RecordedAnswer(fixtures, base, ext);
  if (recorded) a = *recorded;
  return recorded != nullptr;
}

// "print-lines=1" in the control file: everything goes out a line at a time
// through the C library, as a real MAME's printf does, so that a reader sees
// it in the library's pieces rather than in one write.
bool g_print_lines = false;

void Print(int stream, const std::string& bytes) {
  if (!g_print_lines) {
    WriteStream(stream, bytes);
    return;
  }
  FILE* f = stream == 2 ? stderr : stdout;
  for (size_t at = 0; at < bytes.size();) {
    size_t end = bytes.find('\n', at);
    end = end == std::string::npos ? bytes.size() : end + 1;
    std::fwrite(bytes.data() + at, 1, end - at, f);
    at = end;
  }
  std::fflush(f);
}

void Emit(const Answer& a) {
  // MAME prints its listing to stdout and its verdicts to stderr; a caller
  // reading both through one pipe sees them in this order.
  Print(1, a.out);
  Print(2, a.err);
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

// The set's recorded <driver> and <feature> lines (listxml-drivers.xml), or "".
std::string RecordedDriverLines(const std::string& fixtures, const std::string& set) {
  const Answer* drivers = RecordedAnswer(fixtures, "listxml-drivers", ".xml");
  if (!drivers) return "";
  const std::string& all = drivers->out;
  size_t at = all.find("<machine name=\"" + set + "\"");
  if (at == std::string::npos) return "";
  size_t from = all.find('\n', at), to = all.find("</machine>", at);
  if (from == std::string::npos || to == std::string::npos || to < from) return "";
  std::string lines = all.substr(from + 1, to - from - 1);
  return lines.substr(0, lines.rfind('\n') + 1);  // without the closing tag's indent
}

// Sets without a recording get the smallest listing that still names the
// machine, built from its -listfull line, with its recorded driver lines.
Answer MinimalListxml(const std::string& set, const std::string& line, const std::string& driver_lines) {
  size_t q1 = line.find('"'), q2 = line.rfind('"');
  std::string description = q1 != std::string::npos && q2 > q1 ? line.substr(q1 + 1, q2 - q1 - 1) : set;
  Answer a;
  a.out = "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n"
          "\t<machine name=\"" + set + "\">\n\t\t<description>" + description +
          "</description>\n" + driver_lines + "\t</machine>\n</mame>\n";
  return a;
}

Answer OneListxml(const std::string& fixtures, const std::string& set) {
  Answer a;
  if (LoadAnswer(fixtures, "listxml/" + set, ".xml", a)) return a;
  const Answer* listing = RecordedAnswer(fixtures, "listfull", ".txt");
  std::string line = listing ? ListfullLine(listing->out, set) : "";
  return !line.empty() ? MinimalListxml(set, line, RecordedDriverLines(fixtures, set))
                       : NoMatch(fixtures, "listxml/unknown", set);
}

// Every word after the command up to the next option: MAME lists them all.
std::vector<std::string> QuerySubjects(const std::vector<std::string>& args, size_t command_at) {
  std::vector<std::string> sets;
  for (size_t i = command_at + 1; i < args.size() && !args[i].empty() && args[i][0] != '-'; ++i)
    sets.push_back(Lower(args[i]));
  return sets;
}

// Several names: one document with each machine once (a set's devices come
// with it), and, as MAME does, a complaint about the first unknown name
// after everything it could list.
Answer CombinedListxml(const std::string& fixtures, const std::vector<std::string>& sets) {
  Answer all;
  std::set<std::string> seen;
  std::string body, header, unknown;
  for (const std::string& set : sets) {
    Answer one = OneListxml(fixtures, set);
    if (one.code != 0) {
      if (unknown.empty()) unknown = one.err;
      continue;
    }
    size_t root = one.out.find("<mame ");
    size_t open = one.out.find('>', root);
    if (root == std::string::npos || open == std::string::npos) continue;
    if (header.empty()) header = one.out.substr(0, open + 1) + "\n";
    for (size_t at = one.out.find("<machine ", open); at != std::string::npos; at = one.out.find("<machine ", at + 1)) {
      size_t end = one.out.find("</machine>", at);
      if (end == std::string::npos) break;
      size_t name = one.out.find('"', at) + 1;
      if (!seen.insert(one.out.substr(name, one.out.find('"', name) - name)).second) continue;
      body += "\t" + one.out.substr(at, end + 10 - at) + "\n";
    }
  }
  if (!header.empty()) all.out = header + body + "</mame>\n";
  if (!unknown.empty()) {
    all.err = unknown;
    all.code = 5;
  }
  return all;
}

int AnswerListxml(const Invocation& call, const std::string& fixtures, size_t at) {
  auto control = ReadControl(call);
  if (control.count("listxml-delay-ms")) SleepMs(std::atol(control["listxml-delay-ms"].c_str()));
  std::vector<std::string> sets = QuerySubjects(call.args, at);
  Answer a = sets.size() > 1 ? CombinedListxml(fixtures, sets) : OneListxml(fixtures, Lower(QuerySubject(call.args, at)));
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
    Print(stream, chunk);
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
    if (ReadFileBytes(path, text) || ReadFileBytes(Join(call.exe_folder, path), text)) Print(stream, text);
  }
  if (control.count("print")) Print(stream, Unescape(control["print"]));
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
  g_print_lines = ReadControl(call)["print-lines"] == "1";
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
