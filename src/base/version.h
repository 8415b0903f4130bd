// The program's version ("1.0.0"), as CMake's project version sets it.
#pragma once

extern const char kKorvoVersion[];
