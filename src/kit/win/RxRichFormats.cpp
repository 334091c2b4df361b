// The rich-text control's character and paragraph formats: each reads and
// writes the selection's (or the default) format through the control.
#include "kit/win/RxRichFormats.h"

#include "kit/win/RxRichEd.h"

CHARFORMAT2A NewCharFormat() {
  CHARFORMAT2A f{};
  // The old library knows only the first, shorter record.
  f.cbSize = RichEditVersion() == 1 ? sizeof(CHARFORMATA) : sizeof(CHARFORMAT2A);
  return f;
}

PARAFORMAT2 NewParaFormat() {
  PARAFORMAT2 f{};
  f.cbSize = RichEditVersion() == 1 ? sizeof(PARAFORMAT) : sizeof(PARAFORMAT2);
  return f;
}

// --- Character format ----------------------------------------------------------

TRxTextAttributes::TRxTextAttributes(TRxCustomRichEdit* richEdit, TRxAttributeType type)
    : FRichEdit(richEdit), FType(type) {}

void TRxTextAttributes::Get(void* p) const {
  auto& f = *static_cast<CHARFORMAT2A*>(p);
  f = NewCharFormat();
  f.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_FACE | CFM_SIZE |
             CFM_CHARSET;
  FRichEdit->Send(EM_GETCHARFORMAT, FType == atDefaultText ? SCF_DEFAULT : SCF_SELECTION,
                  reinterpret_cast<LPARAM>(&f));
}

void TRxTextAttributes::Set(void* p, unsigned mask) {
  auto& f = *static_cast<CHARFORMAT2A*>(p);
  f.dwMask = mask;
  WPARAM which = SCF_DEFAULT;
  if (FType == atSelected) which = SCF_SELECTION;
  if (FType == atWord) which = SCF_SELECTION | SCF_WORD;
  FRichEdit->Send(EM_SETCHARFORMAT, which, reinterpret_cast<LPARAM>(&f));
}

std::string TRxTextAttributes::GetName() const {
  CHARFORMAT2A f;
  Get(&f);
  return f.szFaceName;
}

void TRxTextAttributes::SetName(const std::string& name) {
  CHARFORMAT2A f = NewCharFormat();
  lstrcpynA(f.szFaceName, name.c_str(), LF_FACESIZE);
  Set(&f, CFM_FACE);
}

int TRxTextAttributes::GetCharset() const {
  CHARFORMAT2A f;
  Get(&f);
  return f.bCharSet;
}

void TRxTextAttributes::SetCharset(int charset) {
  CHARFORMAT2A f = NewCharFormat();
  f.bCharSet = static_cast<BYTE>(charset);
  Set(&f, CFM_CHARSET);
}

TColor TRxTextAttributes::GetColor() const {
  CHARFORMAT2A f;
  Get(&f);
  if (f.dwEffects & CFE_AUTOCOLOR) return clWindowText;
  return static_cast<TColor>(f.crTextColor);
}

void TRxTextAttributes::SetColor(TColor color) {
  CHARFORMAT2A f = NewCharFormat();
  if (color == clWindowText) {
    f.dwEffects = CFE_AUTOCOLOR;
  } else {
    f.crTextColor = static_cast<COLORREF>(ColorToRGB(color));
  }
  Set(&f, CFM_COLOR);
}

int TRxTextAttributes::GetSize() const {
  CHARFORMAT2A f;
  Get(&f);
  return static_cast<int>(f.yHeight / 20);
}

void TRxTextAttributes::SetSize(int size) {
  CHARFORMAT2A f = NewCharFormat();
  f.yHeight = size * 20;
  Set(&f, CFM_SIZE);
}

TFontPitch TRxTextAttributes::GetPitch() const {
  CHARFORMAT2A f;
  Get(&f);
  switch (f.bPitchAndFamily & 3) {
    case VARIABLE_PITCH: return fpVariable;
    case FIXED_PITCH: return fpFixed;
    default: return fpDefault;
  }
}

void TRxTextAttributes::SetPitch(TFontPitch pitch) {
  CHARFORMAT2A f;
  Get(&f);
  f.bPitchAndFamily = pitch == fpVariable ? VARIABLE_PITCH : pitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
  Set(&f, CFM_FACE);
}

TFontStyles TRxTextAttributes::GetStyle() const {
  CHARFORMAT2A f;
  Get(&f);
  TFontStyles s;
  if (f.dwEffects & CFE_BOLD) s.Include(fsBold);
  if (f.dwEffects & CFE_ITALIC) s.Include(fsItalic);
  if (f.dwEffects & CFE_UNDERLINE) s.Include(fsUnderline);
  if (f.dwEffects & CFE_STRIKEOUT) s.Include(fsStrikeOut);
  return s;
}

void TRxTextAttributes::SetStyle(TFontStyles style) {
  CHARFORMAT2A f = NewCharFormat();
  if (style.Contains(fsBold)) f.dwEffects |= CFE_BOLD;
  if (style.Contains(fsItalic)) f.dwEffects |= CFE_ITALIC;
  if (style.Contains(fsUnderline)) f.dwEffects |= CFE_UNDERLINE;
  if (style.Contains(fsStrikeOut)) f.dwEffects |= CFE_STRIKEOUT;
  Set(&f, CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT);
}

void TRxTextAttributes::AssignFont(const TFontData& font) {
  CHARFORMAT2A f = NewCharFormat();
  lstrcpynA(f.szFaceName, font.Name.c_str(), LF_FACESIZE);
  f.bCharSet = static_cast<BYTE>(font.CharSet);
  f.bPitchAndFamily =
      font.Pitch == fpVariable ? VARIABLE_PITCH : font.Pitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
  // The height in points: a negative height is the character height in
  // pixels of the screen.
  const int size = font.Height < 0 ? FontHeightToSize(font.Height, FRichEdit->FScreenLogPixels)
                                   : std::max(1, FontHeightToSize(-font.Height, FRichEdit->FScreenLogPixels));
  f.yHeight = size * 20;
  if (font.Color == clWindowText || font.Color == clDefault)
    f.dwEffects |= CFE_AUTOCOLOR;
  else
    f.crTextColor = static_cast<COLORREF>(ColorToRGB(font.Color));
  if (font.Style.Contains(fsBold)) f.dwEffects |= CFE_BOLD;
  if (font.Style.Contains(fsItalic)) f.dwEffects |= CFE_ITALIC;
  if (font.Style.Contains(fsUnderline)) f.dwEffects |= CFE_UNDERLINE;
  if (font.Style.Contains(fsStrikeOut)) f.dwEffects |= CFE_STRIKEOUT;
  Set(&f, CFM_FACE | CFM_CHARSET | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
              CFM_STRIKEOUT);
}

void TRxTextAttributes::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TRxTextAttributes*>(source)) {
    CHARFORMAT2A f;
    other->Get(&f);
    Set(&f, f.dwMask);
    return;
  }
  if (auto* font = dynamic_cast<TFont*>(source)) {
    AssignFont(font->GetData());
    return;
  }
  TPersistent::Assign(source);
}

// --- Paragraph format --------------------------------------------------------

void TRxParaAttributes::Get(void* p) const {
  auto& f = *static_cast<PARAFORMAT2*>(p);
  f = NewParaFormat();
  f.dwMask = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT | PFM_NUMBERING | PFM_TABSTOPS;
  FRichEdit->Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&f));
}

void TRxParaAttributes::Set(void* p, unsigned mask) {
  auto& f = *static_cast<PARAFORMAT2*>(p);
  f.dwMask = mask;
  FRichEdit->Send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&f));
}

TAlignment TRxParaAttributes::GetAlignment() const {
  PARAFORMAT2 f;
  Get(&f);
  return f.wAlignment == PFA_RIGHT ? taRightJustify : f.wAlignment == PFA_CENTER ? taCenter : taLeftJustify;
}

void TRxParaAttributes::SetAlignment(TAlignment alignment) {
  PARAFORMAT2 f = NewParaFormat();
  f.wAlignment = alignment == taRightJustify ? PFA_RIGHT : alignment == taCenter ? PFA_CENTER : PFA_LEFT;
  Set(&f, PFM_ALIGNMENT);
}

int TRxParaAttributes::GetFirstIndent() const {
  PARAFORMAT2 f;
  Get(&f);
  return f.dxStartIndent / 20;
}

void TRxParaAttributes::SetFirstIndent(int value) {
  PARAFORMAT2 f = NewParaFormat();
  f.dxStartIndent = value * 20;
  Set(&f, PFM_STARTINDENT);
}

int TRxParaAttributes::GetLeftIndent() const {
  PARAFORMAT2 f;
  Get(&f);
  return f.dxOffset / 20;
}

void TRxParaAttributes::SetLeftIndent(int value) {
  PARAFORMAT2 f = NewParaFormat();
  f.dxOffset = value * 20;
  Set(&f, PFM_OFFSET);
}

int TRxParaAttributes::GetRightIndent() const {
  PARAFORMAT2 f;
  Get(&f);
  return f.dxRightIndent / 20;
}

void TRxParaAttributes::SetRightIndent(int value) {
  PARAFORMAT2 f = NewParaFormat();
  f.dxRightIndent = value * 20;
  Set(&f, PFM_RIGHTINDENT);
}

TRxNumberingStyle TRxParaAttributes::GetNumbering() const {
  PARAFORMAT2 f;
  Get(&f);
  return f.wNumbering == PFN_BULLET ? nsBullet : nsNone;
}

void TRxParaAttributes::SetNumbering(TRxNumberingStyle value) {
  PARAFORMAT2 f = NewParaFormat();
  f.wNumbering = value == nsBullet ? PFN_BULLET : 0;
  Set(&f, PFM_NUMBERING);
}

int TRxParaAttributes::GetTabCount() const {
  PARAFORMAT2 f;
  Get(&f);
  return f.cTabCount;
}

int TRxParaAttributes::GetTab(int index) const {
  PARAFORMAT2 f;
  Get(&f);
  if (index < 0 || index >= MAX_TAB_STOPS) return 0;
  return (f.rgxTabs[index] & 0xFFFFFF) / 20;
}

void TRxParaAttributes::SetTab(int index, int value) {
  if (index < 0 || index >= MAX_TAB_STOPS) return;
  PARAFORMAT2 f;
  Get(&f);
  f.rgxTabs[index] = value * 20;
  if (f.cTabCount <= index) f.cTabCount = static_cast<SHORT>(index + 1);
  Set(&f, PFM_TABSTOPS);
}

void TRxParaAttributes::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TRxParaAttributes*>(source)) {
    PARAFORMAT2 f;
    other->Get(&f);
    Set(&f, f.dwMask);
    return;
  }
  TPersistent::Assign(source);
}
