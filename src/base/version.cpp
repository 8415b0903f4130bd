#include "base/version.h"

#include "korvo_version.h"

const char kKorvoVersion[] = KORVO_VERSION;
