// The system's ANSI code page as the HTML exporter needs it, read from the
// system's own conversion (MultiByteToWideChar). The program installs it at
// start-up with SetAnsiCodePageSource(&SystemAnsiCodePage).
#pragma once

#include "editor/CodePage.h"

void SystemAnsiCodePage(TAnsiCodePage& codePage);
