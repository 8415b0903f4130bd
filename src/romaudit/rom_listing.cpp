#include "romaudit/rom_listing.h"

#include <algorithm>

#include "options/machine_info.h"
#include "options/xml_text.h"

namespace {

bool IsElement(std::string_view tag, std::string_view word) {
  if (tag.substr(0, word.size()) != word) return false;
  if (tag.size() == word.size()) return true;
  char next = tag[word.size()];
  return next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '/';
}

bool ReadDecimal64(std::string_view text, uint64_t& out) {
  if (text.empty() || text.size() > 19) return false;
  out = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    out = out * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

bool ReadHex32(std::string_view text, uint32_t& out) {
  if (text.size() != 8) return false;
  out = 0;
  for (char c : text) {
    int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (v < 0) return false;
    out = out << 4 | static_cast<uint32_t>(v);
  }
  return true;
}

ListedFile ReadFile(std::string_view tag, bool disk) {
  ListedFile f;
  f.disk = disk;
  f.name = ReadXmlAttribute(tag, "name");
  f.region = ReadXmlAttribute(tag, "region");
  if (!disk && !ReadDecimal64(ReadXmlAttribute(tag, "size"), f.size)) f.size = 0;
  f.has_crc = !disk && ReadHex32(ReadXmlAttribute(tag, "crc"), f.crc);
  f.has_sha1 = ParseSha1Hex(ReadXmlAttribute(tag, "sha1"), f.sha1);
  std::string status = ReadXmlAttribute(tag, "status");
  f.nodump = status == "nodump";
  f.baddump = status == "baddump";
  f.optional = ReadXmlAttribute(tag, "optional") == "yes";
  if (f.nodump) f.has_crc = f.has_sha1 = false;  // a missing dump has no checksums to meet
  return f;
}

// The listing prints a machine's BIOS choices' files first, then the rest,
// then its disks; without MAME's own order at hand, files are grouped region
// by region in the order the regions first appear in, disks last. The ranks
// are taken before sorting: the sort moves the names they would point into.
void GroupByRegion(std::vector<ListedFile>& files) {
  std::vector<std::string> regions;
  std::vector<std::pair<size_t, ListedFile>> ranked;
  ranked.reserve(files.size());
  for (ListedFile& f : files) {
    size_t rank = static_cast<size_t>(std::find(regions.begin(), regions.end(), f.region) - regions.begin());
    if (rank == regions.size()) regions.push_back(f.region);
    ranked.emplace_back(f.disk ? SIZE_MAX : rank, std::move(f));
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < files.size(); ++i) files[i] = std::move(ranked[i].second);
}

std::string_view NextWord(std::string_view& line) {
  size_t begin = line.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return line = {};
  size_t end = line.find_first_of(" \t\r", begin);
  std::string_view word = line.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
  line = end == std::string_view::npos ? std::string_view() : line.substr(end);
  return word;
}

std::string ArgumentsFor(const char* command, const std::vector<std::string>& sets) {
  std::string args = command;
  for (const std::string& set : sets)
    if (IsPlainSetName(set)) args += " " + set;
  return args;
}

}  // namespace

size_t ParseRomListing(std::string_view xml, RomListing& listing) {
  size_t count = 0;
  ListedMachine machine;
  bool inside = false;
  auto finish = [&] {
    if (inside && !machine.name.empty()) {
      GroupByRegion(machine.files);
      listing[machine.name] = std::move(machine);
      ++count;
    }
    machine = ListedMachine();
    inside = false;
  };
  for (size_t pos = 0;;) {
    size_t open = xml.find('<', pos);
    if (open == std::string_view::npos) break;
    size_t close = xml.find('>', open + 1);
    if (close == std::string_view::npos) break;
    std::string_view tag = xml.substr(open + 1, close - open - 1);
    pos = close + 1;
    if (IsElement(tag, "machine")) {
      finish();
      inside = true;
      machine.name = ReadXmlAttribute(tag, "name");
      machine.romof = ReadXmlAttribute(tag, "romof");
      machine.is_device = ReadXmlAttribute(tag, "isdevice") == "yes";
      if (!tag.empty() && tag.back() == '/') finish();
    } else if (IsElement(tag, "/machine")) {
      finish();
    } else if (!inside) {
      continue;
    } else if (IsElement(tag, "rom")) {
      machine.files.push_back(ReadFile(tag, false));
    } else if (IsElement(tag, "disk")) {
      machine.files.push_back(ReadFile(tag, true));
    } else if (IsElement(tag, "device_ref")) {
      std::string name = ReadXmlAttribute(tag, "name");
      if (!name.empty()) machine.devices.push_back(std::move(name));
    }
  }
  finish();
  return count;
}

size_t ParseCheckingOrder(std::string_view listroms, RomListing& listing) {
  constexpr std::string_view kHead = "ROMs required for driver \"";
  size_t ordered = 0;
  std::vector<CheckedName>* order = nullptr;
  bool header_seen = false;
  for (size_t pos = 0; pos < listroms.size();) {
    size_t end = listroms.find('\n', pos);
    std::string_view line = listroms.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? listroms.size() : end + 1;
    if (line.substr(0, kHead.size()) == kHead) {
      size_t quote = line.find('"', kHead.size());
      auto m = quote == std::string_view::npos ? listing.end()
                                                : listing.find(std::string(line.substr(kHead.size(), quote - kHead.size())));
      order = m == listing.end() ? nullptr : &m->second.checking_order;
      if (order) order->clear(), ++ordered;
      header_seen = false;
      continue;
    }
    if (!order) continue;
    std::string_view rest = line;
    std::string_view name = NextWord(rest);
    if (name.empty()) {
      order = nullptr;  // a blank line ends the machine
      continue;
    }
    if (!header_seen) {  // "Name   Size Checksum"
      header_seen = true;
      continue;
    }
    CheckedName entry{std::string(name)};
    std::string_view size = NextWord(rest);
    entry.disk = !ReadDecimal64(size, entry.size);
    if (entry.disk) entry.size = 0;
    order->push_back(std::move(entry));
  }
  return ordered;
}

std::string ListXmlArguments(const std::vector<std::string>& sets) { return ArgumentsFor("-listxml", sets); }
std::string ListRomsArguments(const std::vector<std::string>& sets) { return ArgumentsFor("-listroms", sets); }
