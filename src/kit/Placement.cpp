// Placement values and the restore decisions.
#include "kit/Placement.h"

#include <algorithm>
#include <climits>

#include "platform/SysUtils.h"

std::string ScreenSizeSuffix(int screenWidth, int screenHeight) {
  return Format("(%dx%d)", screenWidth, screenHeight);
}

void WritePlacementValues(TCustomIniFile& ini, const std::string& section, const TPlacementRecord& p,
                          int pixelsPerInch, int screenWidth, int screenHeight) {
  const std::string suffix = ScreenSizeSuffix(screenWidth, screenHeight);
  ini.WriteString(section, "Flags", IntToStr(p.Flags));
  ini.WriteString(section, "ShowCmd", IntToStr(p.ShowCmd));
  ini.WriteString(section, "PixelsPerInch", IntToStr(pixelsPerInch));
  const std::string minMax =
      Format("%d,%d,%d,%d", p.MinPosition.X, p.MinPosition.Y, p.MaxPosition.X, p.MaxPosition.Y);
  ini.WriteString(section, "MinMaxPos" + suffix, minMax);
  ini.WriteString(section, "MinMaxPos", minMax);
  const TRect& n = p.NormalPosition;
  const std::string norm = Format("%d,%d,%d,%d", n.Left, n.Top, n.Right, n.Bottom);
  ini.WriteString(section, "NormPos" + suffix, norm);
  ini.WriteString(section, "NormPos", norm);
}

namespace {

// The four comma-separated numbers of text; a missing or bad one keeps its default.
void ReadFour(const std::string& text, int* values[4]) {
  size_t start = 0;
  for (int i = 0; i < 4 && start <= text.size(); ++i) {
    size_t comma = text.find(',', start);
    size_t end = comma == std::string::npos ? text.size() : comma;
    int v;
    if (TryStrToInt(Trim(std::string_view(text).substr(start, end - start)), v)) *values[i] = v;
    start = end + 1;
  }
}

std::string ReadEither(TCustomIniFile& ini, const std::string& section, const std::string& name,
                       const std::string& suffix) {
  std::string text = ini.ReadString(section, name + suffix, std::string());
  if (text.empty()) text = ini.ReadString(section, name, std::string());
  return text;
}

}  // namespace

bool ReadPlacementValues(TCustomIniFile& ini, const std::string& section, TPlacementRecord& p,
                         const TRect& currentBounds, int pixelsPerInch, int screenWidth, int screenHeight) {
  const std::string suffix = ScreenSizeSuffix(screenWidth, screenHeight);
  p.Flags = ini.ReadInteger(section, "Flags", p.Flags);
  bool usable = false;
  std::string minMax = ReadEither(ini, section, "MinMaxPos", suffix);
  if (!minMax.empty()) {
    p.MinPosition = TPoint{0, 0};
    p.MaxPosition = TPoint{0, 0};
    int* v[4] = {&p.MinPosition.X, &p.MinPosition.Y, &p.MaxPosition.X, &p.MaxPosition.Y};
    ReadFour(minMax, v);
    usable = true;
  }
  std::string norm = ReadEither(ini, section, "NormPos", suffix);
  if (!norm.empty()) {
    p.NormalPosition = currentBounds;
    int* v[4] = {&p.NormalPosition.Left, &p.NormalPosition.Top, &p.NormalPosition.Right,
                 &p.NormalPosition.Bottom};
    ReadFour(norm, v);
    usable = true;
  }
  if (ini.ReadInteger(section, "PixelsPerInch", pixelsPerInch) != pixelsPerInch) usable = false;
  return usable;
}

namespace {

long long Overlap(const TRect& a, const TRect& b) {
  long long w = static_cast<long long>(std::min(a.Right, b.Right)) - std::max(a.Left, b.Left);
  long long h = static_cast<long long>(std::min(a.Bottom, b.Bottom)) - std::max(a.Top, b.Top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between the rectangles (0 when they touch or overlap).
long long Distance(const TRect& a, const TRect& b) {
  long long dx = std::max<long long>({0, static_cast<long long>(b.Left) - a.Right,
                                      static_cast<long long>(a.Left) - b.Right});
  long long dy = std::max<long long>({0, static_cast<long long>(b.Top) - a.Bottom,
                                      static_cast<long long>(a.Top) - b.Bottom});
  return dx * dx + dy * dy;
}

bool Inside(const TRect& r, const TRect& area) {
  return r.Left >= area.Left && r.Top >= area.Top && r.Right <= area.Right && r.Bottom <= area.Bottom;
}

}  // namespace

TRect FitIntoWorkAreas(TRect r, const std::vector<TRect>& workAreas, TPoint formSize) {
  if (r.IsEmpty()) r = TRect(r.Left, r.Top, r.Left + formSize.X, r.Top + formSize.Y);
  if (workAreas.empty()) return r;
  for (const TRect& area : workAreas)
    if (Inside(r, area)) return r;
  const TRect* best = &workAreas.front();
  long long bestOverlap = -1, bestDistance = LLONG_MAX;
  for (const TRect& area : workAreas) {
    long long o = Overlap(r, area);
    if (o > bestOverlap || (o == 0 && bestOverlap == 0 && Distance(r, area) < bestDistance)) {
      best = &area;
      bestOverlap = o;
      bestDistance = Distance(r, area);
    }
  }
  const TRect& a = *best;
  int w = std::min(r.Width(), a.Width()), h = std::min(r.Height(), a.Height());
  int left = std::clamp(r.Left, a.Left, a.Right - w);
  int top = std::clamp(r.Top, a.Top, a.Bottom - h);
  return TRect(left, top, left + w, top + h);
}

TPlacementState StateFromShowCmd(int showCmd, TPlacementState def) {
  switch (showCmd) {
    case 1: case 5: case 9: return psNormal;
    case 2: case 6: case 7: return psMinimized;
    case 3: return psZoomed;
    default: return def;
  }
}
