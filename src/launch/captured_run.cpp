#include "launch/captured_run.h"

int RunMameCaptured(const std::string&, TextBuffer& output, uint32_t, int32_t*) {
  output.clear();
  return kCapturedNotStarted;
}
int RunProgramCaptured(const std::string&, const std::string&, const std::string&, TextBuffer& output, uint32_t,
                       int32_t*) {
  output.clear();
  return kCapturedNotStarted;
}
