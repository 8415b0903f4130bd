// What MAME's -listxml tells about one set: its BIOS choices and its DIP
// switches. MAME is asked at most once per set and run, also when it failed,
// because the answer takes seconds and the user waits for it.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_buffer.h"

struct BiosSet {
  std::string name, description;
  bool is_default = false;
};

struct DipValue {
  std::string name;
  uint32_t value = 0;
};

struct DipSwitch {
  std::string name;
  std::string tag;  // MAME's port tag as listed (with or without its leading colon)
  uint32_t mask = 0;
  uint32_t default_value = 0;
  std::vector<DipValue> values;  // listing order, no two with the same value
};

struct MachineInfo {
  std::vector<BiosSet> biossets;
  std::vector<DipSwitch> switches;
  bool listed = false;  // the listing held a machine entry for the set
};

// Reads the machine entry of `set` out of a -listxml answer (which may hold
// device machines and others around it). Texts are decoded from XML.
MachineInfo ParseMachineListing(std::string_view listing, std::string_view set);

// A set name MAME can be asked about: lower-case letters, digits and "_",
// at most 64 characters. Anything else would change MAME's command line, and
// an empty name would make MAME list every machine it knows.
bool IsPlainSetName(std::string_view set);

// Runs MAME with the given argument text, fills the output, gives the
// captured-run result (0 when MAME ran and ended).
using ListingRunner = int (*)(const std::string& arguments, TextBuffer& output, uint32_t time_limit_ms);

constexpr uint32_t kListXmlTimeLimitMs = 30000;

// The per-run memory of answers.
struct MachineInfoCache {
  std::map<std::string, MachineInfo, std::less<>> machines;
  // From memory, or by asking MAME "-listxml <set>" through `runner`. A failed
  // run, an empty answer or a name MAME cannot be asked about give an empty
  // record (not listed), which is remembered as well.
  const MachineInfo& Get(std::string_view set, ListingRunner runner);
};

// The launcher's one memory, asking the located MAME (RunMameCaptured).
const MachineInfo& GetMachineInfo(std::string_view set);
