// A stand-in for mame.exe. Queries (-listfull, -listxml, -listroms, -verifyroms, -showusage) are
// answered from answers recorded from a real MAME; every call is logged to
// "fakemame-calls.txt" beside the program, and "fakemame-control.txt" beside
// it decides how a play call behaves (see tests/fixtures/mame0251/README.md).
#include <algorithm>
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
// "text-mode=1": every LF goes out as CRLF, as a Windows MAME's C library
// writes its text-mode streams (the recordings are from a Linux MAME).
bool g_text_mode = false;

std::string Substitute(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

void Print(int stream, const std::string& raw) {
  const std::string bytes = g_text_mode ? Substitute(raw, "\n", "\r\n") : raw;
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
  static const char* const kBoolean[] = {"-listfull", "-listxml", "-listroms", "-verifyroms", "-noreadconfig",
                                         "-readconfig", "-window", "-nowindow", "-ll", "-lx", "-lr"};
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

// MAME's answers for every set of the game table (with parents, BIOS sets
// and devices): -listxml of all of them in one document, and -listroms.
std::string TableFolder(const Invocation& call) {
  std::string env = GetEnv("KORVO_FAKEMAME_TABLE");
  return !env.empty() && PathIsFolder(env) ? env : FAKEMAME_TABLE;
}

struct TableListing {
  std::string header;  // up to and with the <mame ...> line
  std::map<std::string, std::string> machines;            // name -> its lines
  std::map<std::string, std::vector<std::string>> refs;   // name -> device_ref names
  std::vector<std::string> order;                          // names as recorded
  std::set<std::string> edited;                            // taken from the control's listxml-file
};

std::string Attribute(const std::string& text, size_t at, const char* name) {
  std::string key = std::string(" ") + name + "=\"";
  size_t begin = text.find(key, at);
  if (begin == std::string::npos) return "";
  begin += key.size();
  return text.substr(begin, text.find('"', begin) - begin);
}

// Adds (or puts in place of the recorded ones) the machine elements of `xml`.
void AddMachines(const std::string& xml, TableListing& table, bool edited) {
  for (size_t at = xml.find("<machine "); at != std::string::npos; at = xml.find("<machine ", at + 1)) {
    size_t end = xml.find("</machine>", at);
    if (end == std::string::npos) break;
    std::string block = "\t" + xml.substr(at, end + 10 - at) + "\n";
    std::string name = Attribute(block, 0, "name");
    std::vector<std::string>& refs = table.refs[name];
    refs.clear();
    for (size_t r = block.find("<device_ref "); r != std::string::npos; r = block.find("<device_ref ", r + 1))
      refs.push_back(Attribute(block, r, "name"));
    if (!table.machines.count(name)) table.order.push_back(name);
    table.machines[name] = std::move(block);
    if (edited) table.edited.insert(name);
  }
}

const TableListing& Table(const Invocation& call) {
  static TableListing table;
  static bool loaded = false;
  if (loaded) return table;
  loaded = true;
  std::string xml;
  if (ReadFileBytes(Join(TableFolder(call), "listxml.xml"), xml)) {
    size_t root = xml.find("<mame ");
    size_t line_end = root == std::string::npos ? std::string::npos : xml.find('\n', root);
    if (line_end != std::string::npos) {
      table.header = xml.substr(0, line_end + 1);
      AddMachines(xml.substr(line_end), table, false);
    }
  }
  // "listxml-file=PATH": an edited answer, for a MAME whose sets need the
  // files a test made.
  auto control = ReadControl(call);
  std::string edited, path = control["listxml-file"];
  if (!path.empty() && (ReadFileBytes(path, edited) || ReadFileBytes(Join(call.exe_folder, path), edited)))
    AddMachines(edited, table, true);
  return table;
}

// The machines named and the devices they are built from, as MAME lists them.
Answer TableListxml(const TableListing& table, const std::vector<std::string>& sets) {
  std::set<std::string> wanted;
  std::vector<std::string> todo = sets;
  while (!todo.empty()) {
    std::string name = todo.back();
    todo.pop_back();
    if (!table.machines.count(name) || !wanted.insert(name).second) continue;
    auto refs = table.refs.find(name);
    if (refs != table.refs.end()) todo.insert(todo.end(), refs->second.begin(), refs->second.end());
  }
  Answer a;
  a.out = table.header;
  for (const std::string& name : table.order)
    if (wanted.count(name)) a.out += table.machines.at(name);
  a.out += "</mame>\n";
  return a;
}

// A set MAME knows that nothing was recorded for: the fake cannot tell what
// it needs, and says so rather than inventing an answer.
Answer NotRecorded(const std::string& command, const std::string& set) {
  Answer a;
  a.err = "fake MAME: no " + command + " answer was recorded for '" + set +
          "' (tools/record-fixtures.sh records the game table's sets)\n";
  a.code = 1;
  return a;
}

bool KnownToMame(const std::string& fixtures, const std::string& set) {
  Answer listing;
  LoadAnswer(fixtures, "listfull", ".txt", listing);
  return !ListfullLine(listing.out, set).empty();
}

Answer OneListxml(const Invocation& call, const std::string& fixtures, const std::string& set) {
  Answer a;
  const TableListing& table = Table(call);
  if (!table.edited.count(set) && LoadAnswer(fixtures, "listxml/" + set, ".xml", a)) return a;
  if (table.machines.count(set)) return TableListxml(table, {set});
  return KnownToMame(fixtures, set) ? NotRecorded("-listxml", set) : NoMatch(fixtures, "listxml/unknown", set);
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
Answer CombinedListxml(const Invocation& call, const std::string& fixtures, const std::vector<std::string>& sets) {
  Answer all;
  std::set<std::string> seen;
  std::string body, header, unknown;
  for (const std::string& set : sets) {
    Answer one = OneListxml(call, fixtures, set);
    if (one.code != 0) {
      if (unknown.empty()) unknown = one.err;
      if (one.code != 5) return one;  // nothing recorded: no answer at all
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
  Answer a = sets.size() > 1 ? CombinedListxml(call, fixtures, sets)
                             : OneListxml(call, fixtures, Lower(QuerySubject(call.args, at)));
  Emit(a);
  return a.code;
}

// -listroms: each named set's block as recorded, in MAME's order; a name
// MAME does not know is complained about after the rest.
int AnswerListroms(const Invocation& call, const std::string& fixtures, size_t at) {
  std::vector<std::string> sets = QuerySubjects(call.args, at);
  std::string text;
  ReadFileBytes(Join(TableFolder(call), "listroms.txt"), text);
  Answer a;
  std::set<std::string> found;
  for (size_t pos = 0; pos < text.size();) {
    // Blocks are parted by a blank line.
    size_t end = text.find("\n\n", pos);
    end = end == std::string::npos ? text.size() : end + 1;
    std::string block = text.substr(pos, end - pos);
    size_t quote = block.find('"');
    std::string name = quote == std::string::npos ? "" : block.substr(quote + 1, block.find('"', quote + 1) - quote - 1);
    if (std::find(sets.begin(), sets.end(), name) != sets.end()) {
      a.out += (found.empty() ? "" : "\n") + block;
      found.insert(name);
    }
    pos = end + 1;
  }
  for (const std::string& set : sets) {
    if (found.count(set)) continue;
    Answer other = KnownToMame(fixtures, set) ? NotRecorded("-listroms", set) : NoMatch(fixtures, "verifyroms/unknown", set);
    a.err = other.err;
    a.code = other.code;
    if (a.code != 5) a.out.clear();
    break;
  }
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
    if (w > 0 && h > 0) ShowPictureWindow(w, h, Join(call.exe_folder, kCallsFile));
  }
  if (control["hang"] == "1") HangUntilStopped(Join(call.exe_folder, kCallsFile));
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
  auto control = ReadControl(call);
  g_print_lines = control["print-lines"] == "1";
  g_text_mode = control["text-mode"] == "1";
  std::string fixtures = FixturesFolder(call);
  for (size_t i = 0; i < call.args.size(); ++i) {
    const std::string& a = call.args[i];
    if (a == "-listfull" || a == "-ll") return AnswerListfull(call, fixtures, i);
    if (a == "-listxml" || a == "-lx") return AnswerListxml(call, fixtures, i);
    if (a == "-listroms" || a == "-lr") return AnswerListroms(call, fixtures, i);
    if (a == "-verifyroms") return AnswerVerifyroms(call, fixtures, i);
    if (a == "-showusage") return AnswerShowusage(call, fixtures);
  }
  return Play(call, fixtures);
}

}  // namespace
}  // namespace fakemame

int main(int argc, char** argv) { return fakemame::Run(argc, argv); }
