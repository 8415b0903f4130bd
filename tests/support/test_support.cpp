#include "support/test_support.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() : path_((fs::temp_directory_path() / "korvo-test-XXXXXX").string()) {
  if (!mkdtemp(path_.data())) throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir() {
  std::error_code ec;
  // Tests may leave read-only folders behind; make them writable so they go.
  for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator(); ++it)
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

void WriteTestFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadTestFile(const std::string& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

bool TestFileExists(const std::string& path) { return fs::exists(path); }

std::string Utf16WithMark(const std::string& ascii, bool big_endian) {
  std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : ascii) out += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
  return out;
}

std::string SourcePath(const std::string& relative) { return std::string(KORVO_SOURCE_DIR) + "/" + relative; }
std::string FakeMamePath() { return std::string(KORVO_BINARY_DIR) + "/tools/fakemame/fakemame"; }

std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

bool RunRealMame(const std::string& home, const std::string& arguments) {
  const std::string at = ShellQuoted(home);
  return std::system(("cd " + at + " && HOME=" + at + " timeout 120 " + kRealMame + " " + arguments + " -homepath " + at +
                      " -cfg_directory " + ShellQuoted(home + "/cfg") + " -nvram_directory " + ShellQuoted(home + "/nvram") +
                      " >" + ShellQuoted(home + "/mame-output.txt") + " 2>&1").c_str()) == 0;
}

std::string MaskDigestLine(const std::string& name, int size, const std::vector<uint8_t>& mask) {
  uint64_t h = 1469598103934665603ull;
  for (uint8_t v : mask) h = (h ^ v) * 1099511628211ull;
  return name + " " + std::to_string(size) + " " + std::to_string(h) + "\n";
}

std::string MaskArt(const std::vector<uint8_t>& mask, int size) {
  std::string art;
  for (size_t i = 0; i < mask.size(); ++i) art += std::string(i % static_cast<size_t>(size) ? "" : "\n") + " .:-=+*#%@"[mask[i] * 9 / 255];
  return art;
}

std::string RecordedMasks(const std::string& fixture, const std::string& lines) {
  const std::string recorded = SourcePath("tests/fixtures/" + fixture);
  if (std::getenv("KORVO_RECORD_ICONS")) WriteTestFile(recorded, lines);
  return ReadTestFile(recorded);
}
