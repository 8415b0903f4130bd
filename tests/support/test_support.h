// Helpers shared by the native test suites: scratch folders and small file I/O.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its content when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteTestFile(const std::string& path, const std::string& bytes);
std::string ReadTestFile(const std::string& path);  // empty when missing
bool TestFileExists(const std::string& path);
std::string Utf16WithMark(const std::string& ascii, bool big_endian);  // as an editor saves ASCII text in UTF-16
std::string SourcePath(const std::string& relative);  // a path inside the source tree (fixtures)
std::string FakeMamePath();                           // the fake MAME in the build tree

// The installed MAME 0.251 that the agreement tests run (they are skipped without it). RunRealMame runs it in `home`,
// keeping its files there and its output in home/mame-output.txt; true when it ends normally within two minutes.
constexpr const char* kRealMame = "/usr/games/mame";
bool RunRealMame(const std::string& home, const std::string& arguments);
std::string ShellQuoted(const std::string& text);  // one word to the shell, whatever it holds

// A line "<name> <size> <digest>" per drawn mask, to compare a drawing with the one last looked at
// (KORVO_RECORD_ICONS=1 records it anew, after looking at the art).
std::string MaskDigestLine(const std::string& name, int size, const std::vector<uint8_t>& mask);
// A mask drawn in characters, a line per row, to look at when a drawing changed.
std::string MaskArt(const std::vector<uint8_t>& mask, int size);
// The recorded lines of tests/fixtures/<fixture>, written from `lines` first when recording.
std::string RecordedMasks(const std::string& fixture, const std::string& lines);
