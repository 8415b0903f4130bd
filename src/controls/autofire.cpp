#include "controls/autofire.h"
