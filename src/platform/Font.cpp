// TFont.
#include "platform/Font.h"

#include "platform/TypInfo.h"

int TFont::DefaultPixelsPerInch = 96;

void TFont::SetData(const TFontData& data) {
  if (data == FData) return;
  FData = data;
  if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& name) { Change(&TFontData::Name, name); }
void TFont::SetHeight(int height) { Change(&TFontData::Height, height); }
int TFont::GetSize() const { return FontHeightToSize(FData.Height, FPixelsPerInch); }
void TFont::SetSize(int size) { SetHeight(FontSizeToHeight(size, FPixelsPerInch)); }
void TFont::SetColor(TColor color) { Change(&TFontData::Color, color); }
void TFont::SetCharset(int charset) { Change(&TFontData::CharSet, charset); }
void TFont::SetPitch(TFontPitch pitch) { Change(&TFontData::Pitch, pitch); }
void TFont::SetStyle(TFontStyles style) { Change(&TFontData::Style, style); }

void TFont::Assign(TPersistent* source) {
  if (auto* f = dynamic_cast<TFont*>(source)) {
    SetData(f->FData);
    return;
  }
  TPersistent::Assign(source);
}

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TFont", &TPersistent::StaticClassInfo())
          .Integer("Charset", &TFont::GetCharset, &TFont::SetCharset)
          .Integer("Color", &TFont::GetColor, &TFont::SetColor)
          .Integer("Height", &TFont::GetHeight, &TFont::SetHeight)
          .String("Name", &TFont::GetName, &TFont::SetName)
          .Enum("Pitch", {"fpDefault", "fpVariable", "fpFixed"}, &TFont::GetPitch, &TFont::SetPitch)
          .Integer("Size", &TFont::GetSize, &TFont::SetSize)
          .Set("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::GetStyle,
               &TFont::SetStyle);
  return info;
}
const TClassInfo* TFont::ClassInfo() const { return &StaticClassInfo(); }
