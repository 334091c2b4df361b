// Token attributes: setters, copying, and their registry forms.
#include "editor/HighlightAttributes.h"

#include <vector>

#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

// The 16 colours other IDEs store by index.
constexpr TColor kIdePalette[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple,
                                    clTeal,  clSilver, clGray,  clRed,   clLime, clYellow,
                                    clBlue,  clFuchsia, clAqua, clWhite};

bool PaletteColor(int index, TColor& color) {
  if (index < 0 || index > 15) return false;
  color = kIdePalette[index];
  return true;
}

// "FALSE" in any case and "0" are false; everything else is true.
bool IdeFlag(const std::string& s) { return UpperCase(s) != "FALSE" && s != "0"; }

// The key to reopen afterwards, absolute from the root.
std::string AbsoluteKey(const TRegistry& reg) {
  const std::string& path = reg.GetCurrentPath();
  return (!path.empty() && path[0] == '\\') ? path : "\\" + path;
}

}  // namespace

const TClassInfo& TktHighLightAttributes::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TktHighLightAttributes", &TPersistent::StaticClassInfo())
          .Integer("Background", &TktHighLightAttributes::GetBackground, &TktHighLightAttributes::SetBackground)
          .Integer("Foreground", &TktHighLightAttributes::GetForeground, &TktHighLightAttributes::SetForeground)
          .Set("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TktHighLightAttributes::GetStyle,
               &TktHighLightAttributes::SetStyle);
  return info;
}
const TClassInfo* TktHighLightAttributes::ClassInfo() const { return &StaticClassInfo(); }

void TktHighLightAttributes::Change() {
  if (OnChange) OnChange(this);
}

void TktHighLightAttributes::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TktHighLightAttributes*>(source)) {
    FName = src->FName;
    bool changed = false;
    if (FBackground != src->FBackground) { FBackground = src->FBackground; changed = true; }
    if (FForeground != src->FForeground) { FForeground = src->FForeground; changed = true; }
    if (FStyle != src->FStyle) { FStyle = src->FStyle; changed = true; }
    if (changed) Change();
    return;
  }
  TPersistent::Assign(source);
}

void TktHighLightAttributes::SetBackground(TColor value) {
  if (FBackground == value) return;
  FBackground = value;
  Change();
}

void TktHighLightAttributes::SetForeground(TColor value) {
  if (FForeground == value) return;
  FForeground = value;
  Change();
}

void TktHighLightAttributes::SetStyle(TFontStyles value) {
  if (FStyle == value) return;
  FStyle = value;
  Change();
}

TFontStyles TktHighLightAttributes::IntToStyle(int value) {
  TFontStyles style;
  if (value & 1) style.Include(fsBold);
  if (value & 2) style.Include(fsItalic);
  if (value & 4) style.Include(fsUnderline);
  if (value & 8) style.Include(fsStrikeOut);
  return style;
}

bool TktHighLightAttributes::LoadFromRegistry(TRegistry& reg) {
  const std::string previous = AbsoluteKey(reg);
  bool ok = false;
  try {
    if (reg.OpenKeyReadOnly(FName)) {
      // Read everything first so a bad value leaves the attribute as it was.
      TColor background = FBackground, foreground = FForeground;
      TFontStyles style = FStyle;
      if (reg.ValueExists("Background")) background = reg.ReadInteger("Background");
      if (reg.ValueExists("Foreground")) foreground = reg.ReadInteger("Foreground");
      if (reg.ValueExists("Style")) style = IntToStyle(reg.ReadInteger("Style"));
      SetBackground(background);
      SetForeground(foreground);
      SetStyle(style);
      ok = true;
    }
  } catch (const Exception&) {
    ok = false;
  }
  reg.OpenKeyReadOnly(previous);
  return ok;
}

bool TktHighLightAttributes::SaveToRegistry(TRegistry& reg) {
  const std::string previous = AbsoluteKey(reg);
  bool ok = false;
  try {
    if (reg.OpenKey(FName, true)) {
      reg.WriteInteger("Background", FBackground);
      reg.WriteInteger("Foreground", FForeground);
      reg.WriteInteger("Style", StyleToInt(FStyle));
      ok = true;
    }
  } catch (const Exception&) {
    ok = false;
  }
  reg.OpenKey(previous, false);
  return ok;
}

bool TktHighLightAttributes::LoadFromIdeRegistry(TRegRootKey rootKey, const std::string& key,
                                                 const std::string& attrName, bool oldFormat) {
  try {
    return oldFormat ? LoadOldFormat(rootKey, key, attrName)
                     : LoadNewFormat(rootKey, key, attrName);
  } catch (const Exception&) {
    return false;
  }
}

// One string value: "?,?,BIU,defaultFg,defaultBg,fgIndex,bgIndex".
bool TktHighLightAttributes::LoadOldFormat(TRegRootKey rootKey, const std::string& key,
                                           const std::string& attrName) {
  TRegistry reg;
  reg.SetRootKey(rootKey);
  if (!reg.OpenKeyReadOnly(key) || !reg.ValueExists(attrName)) return false;
  const std::string data = reg.ReadString(attrName);
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t comma = data.find(',', start);
    fields.push_back(data.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  fields.resize(std::max<size_t>(fields.size(), 7));
  TColor background, foreground;
  if (fields[4] == "1") {
    background = clWindow;
  } else if (!PaletteColor(StrToInt(fields[6]), background)) {
    return false;
  }
  if (fields[3] == "1") {
    foreground = clWindowText;
  } else if (!PaletteColor(StrToInt(fields[5]), foreground)) {
    return false;
  }
  TFontStyles style;
  if (fields[2].find('B') != std::string::npos) style.Include(fsBold);
  if (fields[2].find('I') != std::string::npos) style.Include(fsItalic);
  if (fields[2].find('U') != std::string::npos) style.Include(fsUnderline);
  SetBackground(background);
  SetForeground(foreground);
  SetStyle(style);
  return true;
}

bool TktHighLightAttributes::LoadNewFormat(TRegRootKey rootKey, const std::string& key,
                                           const std::string& attrName) {
  TRegistry reg;
  reg.SetRootKey(rootKey);
  if (!reg.OpenKeyReadOnly(key + "\\" + attrName)) return false;
  for (const char* name : {"Foreground Color", "Background Color", "Bold", "Italic", "Underline",
                           "Default Foreground", "Default Background"})
    if (!reg.ValueExists(name)) return false;
  TColor background, foreground;
  if (IdeFlag(reg.ReadString("Default Background"))) {
    background = clWindow;
  } else if (!PaletteColor(reg.ReadInteger("Background Color"), background)) {
    return false;
  }
  if (IdeFlag(reg.ReadString("Default Foreground"))) {
    foreground = clWindowText;
  } else if (!PaletteColor(reg.ReadInteger("Foreground Color"), foreground)) {
    return false;
  }
  TFontStyles style;
  if (IdeFlag(reg.ReadString("Bold"))) style.Include(fsBold);
  if (IdeFlag(reg.ReadString("Italic"))) style.Include(fsItalic);
  if (IdeFlag(reg.ReadString("Underline"))) style.Include(fsUnderline);
  SetBackground(background);
  SetForeground(foreground);
  SetStyle(style);
  return true;
}
