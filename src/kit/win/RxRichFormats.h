// The format records of the rich-edit library the control was made with:
// the old library knows only the first, shorter record of each.
#pragma once

#include "platform/win/WinApi.h"

#include <richedit.h>

CHARFORMAT2A NewCharFormat();
PARAFORMAT2 NewParaFormat();
