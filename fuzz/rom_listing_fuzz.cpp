// -listxml ROMs and -listroms orders on any bytes: no checksum for no dump, disks last, MAME's view Korvo's on no files.
#include "fuzz_target.h"
#include "romaudit/rom_listing.h"
#include "romaudit/set_check.h"
#include "romaudit/verify_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string xml(FuzzText(data, size));
  RomListing listing;
  ParseRomListing(xml, listing);
  ParseCheckingOrder(xml, listing);
  RomPlaces nowhere;
  for (const auto& [name, machine] : listing) {
    bool disks = false;
    for (const ListedFile& f : machine.files) {
      if (f.nodump && (f.has_crc || f.has_sha1)) std::abort();
      if (disks && !f.disk) std::abort();
      disks = disks || f.disk;
    }
    SetCheck check = CheckSet(listing, nowhere, name, [](const std::string&) { return nullptr; });
    if (check.verdict != check.mame_verdict) std::abort();
    if (check.verdict != Verdict::NotFound && VerifyText(check) != VerifyText(check, true)) std::abort();
    DetailsLine(check);
  }
  return 0;
}
