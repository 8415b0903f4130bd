// How well MAME runs a machine, as its -listxml says: the <driver> element's
// overall status, emulation and save-state support, and the <feature>
// elements that name what is imperfect or not emulated at all.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

enum class DriverLevel : uint8_t { kUnknown, kGood, kImperfect, kPreliminary };

struct DriverStatus {
  DriverLevel status = DriverLevel::kUnknown;  // MAME calls "preliminary" what does not work
  DriverLevel emulation = DriverLevel::kUnknown;
  bool savestate_unsupported = false;
  uint32_t imperfect = 0, unemulated = 0;  // bits of kDriverFeatures
  bool no_sound_hardware = false, requires_artwork = false, incomplete = false, unofficial = false;
  bool Known() const { return status != DriverLevel::kUnknown; }
  // Good or imperfect: the game can be played.
  bool Works() const { return status == DriverLevel::kGood || status == DriverLevel::kImperfect; }
  bool operator==(const DriverStatus&) const = default;
};

// MAME's feature types and how the card names them, in MAME's order.
struct DriverFeature {
  const char* type;
  const char* words;
};
constexpr int kDriverFeatureCount = 21;
extern const DriverFeature kDriverFeatures[kDriverFeatureCount];

// Machine name -> status, for the machines that have a <driver> element.
using DriverStatuses = std::unordered_map<std::string, DriverStatus>;

// Reads the <machine> elements of a -listxml answer (or of the cache, which
// holds the same elements); returns how many had a driver. A feature counts
// with its "overall" value (what the machine's devices add) before its own.
size_t ParseDriverStatuses(std::string_view xml, DriverStatuses& out);

// One machine as a single -listxml line, as the cache keeps it.
std::string FormatDriverStatusElement(std::string_view machine, const DriverStatus& status);

// The status in words: "Imperfect: graphics, sound. Save states not
// supported.", "Not working. ...", "Working."; "" when unknown.
std::string DriverStatusText(const DriverStatus& status);
