// The system clipboard for the exporters' "Rich Text Format" and "HTML
// Format". The program installs it at start-up:
//   SetExportClipboard(&SystemExportClipboard());
#pragma once

#include "editor/ExportClipboard.h"

IktExportClipboard& SystemExportClipboard();
