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
// then its disks; MAME checks them region by region in the order it defines
// them, which is the order the regions first appear in.
void PutInCheckingOrder(std::vector<ListedFile>& files) {
  std::vector<std::string_view> regions;
  auto rank = [&](const ListedFile& f) {
    auto at = std::find(regions.begin(), regions.end(), std::string_view(f.region));
    return static_cast<size_t>(at - regions.begin());
  };
  for (const ListedFile& f : files)
    if (std::find(regions.begin(), regions.end(), std::string_view(f.region)) == regions.end())
      regions.push_back(f.region);
  std::stable_sort(files.begin(), files.end(), [&](const ListedFile& a, const ListedFile& b) {
    if (a.disk != b.disk) return b.disk;
    return rank(a) < rank(b);
  });
}

}  // namespace

size_t ParseRomListing(std::string_view xml, RomListing& listing) {
  size_t count = 0;
  ListedMachine machine;
  bool inside = false;
  auto finish = [&] {
    if (inside && !machine.name.empty()) {
      PutInCheckingOrder(machine.files);
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

std::string ListXmlArguments(const std::vector<std::string>& sets) {
  std::string args = "-listxml";
  for (const std::string& set : sets)
    if (IsPlainSetName(set)) args += " " + set;
  return args;
}
