// korvo-audit.cfg and korvo-audit-mame.cfg: any bytes read without a fault, and what was read writes back the same.
#include "fuzz_target.h"
#include "romaudit/audit_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AuditStore first = ParseAuditStore(FuzzText(data, size));
  AuditStore second = ParseAuditStore(FormatAuditStore(first));
  if (second.key != first.key && first.key.find_first_of("\r\n") == std::string::npos) std::abort();
  if (second.records.size() != first.records.size()) std::abort();
  for (const auto& [set, r] : first.records) {
    auto it = second.records.find(set);
    if (it == second.records.end()) std::abort();
    const AuditRecord& b = it->second;
    if (b.verdict != r.verdict || b.fingerprint != r.fingerprint || b.details != r.details || b.report != r.report ||
        b.own.size != r.own.size || b.looked_in != r.looked_in)
      std::abort();
  }
  // The same bytes as MAME's kept answers.
  MameAnswers answers = ParseMameAnswers(FuzzText(data, size));
  MameAnswers again = ParseMameAnswers(FormatMameAnswers(answers));
  if (again.listxml != answers.listxml || again.listroms != answers.listroms || again.names != answers.names)
    std::abort();
  return 0;
}
