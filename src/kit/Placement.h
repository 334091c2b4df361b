// The stored form of a window's placement and the decisions of a restore,
// apart from any window: what a section holds, how it is read back at the
// screen size and resolution of today, and where a normal rectangle must go
// so that it can be reached on the monitors there are now.
#pragma once

#include <string>
#include <vector>

#include "platform/IniFiles.h"
#include "platform/Types.h"

// A window's placement as the system reports it (positions in pixels).
struct TPlacementRecord {
  int Flags = 0;
  int ShowCmd = 0;
  TPoint MinPosition;
  TPoint MaxPosition;
  TRect NormalPosition;
};

// "(1024x768)": the suffix of the values written for one screen size.
std::string ScreenSizeSuffix(int screenWidth, int screenHeight);

// Writes "Flags", "ShowCmd", "PixelsPerInch", then "MinMaxPos" and "NormPos"
// each twice: with the screen's suffix and plain.
void WritePlacementValues(TCustomIniFile& ini, const std::string& section, const TPlacementRecord& placement,
                          int pixelsPerInch, int screenWidth, int screenHeight);

// Reads the position values into placement (which holds the window's current
// placement: the defaults of what is missing); currentBounds stands in for a
// bad number of "NormPos". The suffixed names are read first, the plain ones
// when those are empty. False when nothing usable was stored or it was
// written at another pixels-per-inch setting.
bool ReadPlacementValues(TCustomIniFile& ini, const std::string& section, TPlacementRecord& placement,
                         const TRect& currentBounds, int pixelsPerInch, int screenWidth, int screenHeight);

// Where a stored normal rectangle goes so it can be reached: a rectangle
// inside one work area stays exactly; any other is moved into the work area
// it overlaps most (the nearest one when it overlaps none), shrunk to it
// when larger. A rectangle without area takes formSize at its top-left
// corner first.
TRect FitIntoWorkAreas(TRect r, const std::vector<TRect>& workAreas, TPoint formSize);

// A stored "ShowCmd" as a state: 1, 5 and 9 normal; 2, 6 and 7 minimized;
// 3 zoomed; anything else keeps def.
enum TPlacementState { psNormal, psMinimized, psZoomed };
TPlacementState StateFromShowCmd(int showCmd, TPlacementState def);
