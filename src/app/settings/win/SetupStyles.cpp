// TSetup's Styles page: the example editor test, the font, gutter and
// palette panels and the colours of the shared highlighters.
#include "app/settings/win/Setup.h"

#include <algorithm>

#include "app/Data.h"
#include "app/settings/SetupValues.h"
#include "app/settings/Styles.h"
#include "editor/HighlightAttributes.h"
#include "editor/Highlighter.h"
#include "editor/SupportClasses.h"
#include "kit/win/RxCombos.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/Spin.h"
#include "platform/win/StdCtrls.h"

namespace {

// The example and the panels beside it start at these sizes; LayoutStylesPage
// gives the example and the syntax panel the page's height. The palette's
// panels and its hint take kPaletteHeight.
constexpr int kTestWidth = 300, kPageHeight = 300, kPaletteHeight = 246;

TPanel* MakePanel(TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w, int h) {
  return Make<TPanel>(owner).Parent(parent).Name(name).Bounds(x, y, w, h).With([](TPanel* p) {
    p->SetBevelOuter(bvNone);
    p->SetCaption("");
  });
}

}  // namespace

void TSetup::BuildStylesPage() {
  TWinControl* p = StylesPage;
  test = Make<TktEditWindow>(this).Parent(p).Name("test").Bounds(8, 8, kTestWidth, kPageHeight);
  TktCustomEdit* e = test->GetEdit();
  e->SetReadOnly(true);
  e->SetScrollBars(kssNone);
  e->SetOptions(e->GetOptions().Include(kteoNoCaret));
  test->SetEnabled(false);
  test->SetTabStop(false);
  test->GetFontObject()->SetName("FixedSys");
  test->GetFontObject()->SetSize(12);
  test->GetFontObject()->SetCharset(1);
  test->GetFontObject()->SetColor(clBlack);
  test->SetColor(clWhite);
  test->SetRightEdge(13);
  test->SetRightEdgeColor(clGray);
  test->GetSelectedColor()->SetForeground(clWhite);
  test->GetSelectedColor()->SetBackground(clNavy);

  const int x = 8 + kTestWidth + 8;
  FontPanel = MakePanel(this, p, "FontPanel", x, 8, 300, kPageHeight);
  Make<TLabel>(this).Parent(FontPanel).Bounds(8, 12, 88, 16).Caption("Font");
  FontBox = Make<TFontComboBox>(this).Parent(FontPanel).Name("FontBox").Bounds(100, 8, 190, 22);
  FontBox->OnChange = Bind(this, &TSetup::FontControlChange);
  FontBox->OnClick = Bind(this, &TSetup::FontControlChange);
  Make<TLabel>(this).Parent(FontPanel).Bounds(8, 40, 88, 16).Caption("Charset");
  Charset = Make<TComboBox>(this).Parent(FontPanel).Name("Charset").Bounds(100, 36, 190, 22).With([](TComboBox* c) {
    c->SetStyle(csDropDownList);
    for (const TCharsetName& n : kCharsets) c->GetItems()->Add(n.Name);
  });
  Charset->OnChange = Bind(this, &TSetup::FontControlChange);
  Make<TLabel>(this).Parent(FontPanel).Bounds(8, 70, 88, 16).Caption("Size");
  Fontsize = Make<TSpinEdit>(this).Parent(FontPanel).Name("Fontsize").Bounds(100, 66, 60, 22).With([](TSpinEdit* s) {
    s->SetMinValue(5);
    s->SetMaxValue(140);
    s->SetValue(12);
  });
  Fontsize->OnChange = Bind(this, &TSetup::FontControlChange);
  Italic = Make<TCheckBox>(this).Parent(FontPanel).Name("Italic").Bounds(8, 98, 100, 20).Caption("Italic")
               .On(&TCheckBox::OnClick, this, &TSetup::FontControlChange);
  Bold = Make<TCheckBox>(this).Parent(FontPanel).Name("Bold").Bounds(8, 120, 100, 20).Caption("Bold")
             .On(&TCheckBox::OnClick, this, &TSetup::FontControlChange);

  GutterPanel = MakePanel(this, p, "GutterPanel", x, 8, 300, kPageHeight);
  auto gutterCheck = [this](const char* name, int y, const char* caption, bool checked) {
    return Make<TCheckBox>(this).Parent(GutterPanel).Name(name).Bounds(8, y, 200, 20).Caption(caption)
        .With([checked](TCheckBox* c) { c->SetChecked(checked); })
        .On(&TCheckBox::OnClick, this, &TSetup::GutterControlChange).Get();
  };
  ShowGutter = gutterCheck("ShowGutter", 8, "Show Gutter", true);
  Autosize = gutterCheck("Autosize", 30, "Autosize", false);
  Showlines = gutterCheck("Showlines", 52, "Show Line Numbers", false);
  Make<TLabel>(this).Parent(GutterPanel).Bounds(8, 82, 88, 16).Caption("Gutter Width");
  GutterWidth = Make<TSpinEdit>(this).Parent(GutterPanel).Name("GutterWidth").Bounds(100, 78, 60, 22)
                    .With([](TSpinEdit* s) {
                      s->SetMinValue(15);
                      s->SetMaxValue(100);
                      s->SetValue(30);
                    });
  GutterWidth->OnChange = Bind(this, &TSetup::GutterControlChange);

  PalettePanel = MakePanel(this, p, "PalettePanel", x, 8, 300, kPaletteHeight);
  for (int i = 0; i < 72; ++i) {
    const int row = i / 8, col = i % 8;
    Palette[i] = MakePanel(this, PalettePanel, ("c" + std::to_string(i + 1)).c_str(), 4 + col * 36, 4 + row * 24, 34,
                           22);
    Palette[i]->SetBevelOuter(bvRaised);
    Palette[i]->SetColor(kPalette[i]);
    Palette[i]->GetFontObject()->SetColor(ContrastColor(kPalette[i]));
    Palette[i]->OnMouseDown = [this, i](TObject*, TMouseButton button, TShiftState, int, int) {
      PalettePress(i, button);
    };
  }
  PaletteHint = Make<TLabel>(this).Parent(PalettePanel).Name("PaletteHint").Bounds(4, 226, 290, 16)
                    .Caption("Right-click: background;    Left-click: foreground");

  // Under the palette, which the syntax tab shows too: the example keeps its
  // width there.
  SyntaxPanel = MakePanel(this, p, "SyntaxPanel", 8 + kTestWidth + 8, 8 + kPaletteHeight + 4, 300,
                          kPageHeight - kPaletteHeight - 4);
  hllist = Make<TComboBox>(this).Parent(SyntaxPanel).Name("hllist").Bounds(0, 0, 144, 22).With([](TComboBox* c) {
    c->SetStyle(csDropDownList);
    c->SetDropDownCount(16);
    for (const TStyleLanguage& l : StyleLanguages()) c->GetItems()->Add(l.Item);
  });
  hllist->OnChange = Bind(this, &TSetup::HlListChange);
  AttrList = Make<TListBox>(this).Parent(SyntaxPanel).Name("AttrList").Bounds(0, 26, 144, 20)
                 .On(&TListBox::OnClick, this, &TSetup::AttrListClick);
  auto styleBox = [this](const char* name, int y, const char* caption) {
    return Make<TCheckBox>(this).Parent(SyntaxPanel).Name(name).Bounds(152, y, 140, 20).Caption(caption)
        .On(&TCheckBox::OnClick, this, &TSetup::StyleBoxClick).Get();
  };
  hlbold = styleBox("hlbold", 26, "Bold");
  hlItalic = styleBox("hlItalic", 48, "Italic");
  hlUnderline = styleBox("hlUnderline", 70, "Underline");

  TabSet1 = Make<TTabSet>(this).Parent(p).Name("TabSet1").Bounds(8, kPageHeight + 14, 608, 24);
  p->OnResize = [this](TObject*) { LayoutStylesPage(); };
  LayoutStylesPage();
  for (const char* tab : {"Font Style", "Gutter Style", "Normal Text Colors", "Selected Text Colors", "Edge Colors",
                          "Syntax highlight"})
    TabSet1->GetTabs()->Add(tab);
  TabSet1->OnChange = [this](TObject*, int tab, bool&) { ShowStyleTab(tab); };

  // The first language and its first attribute are current from the start.
  hllist->SetItemIndex(0);
  HlListChange(hllist);
  ShowStyleTab(0);
}

void TSetup::LoadFontControls() {
  TktCustomEdit* e = test->GetEdit();
  e->SetHighLighter(nullptr);
  std::string text;
  for (const char* line : kStyleExampleLines) text += std::string(line) + "\r\n";
  text.resize(text.size() - 2);
  e->SetText(text);
  e->SetSelectionMode(smLine);
  e->SetBlockBegin(TPoint(1, 4));
  e->SetBlockEnd(TPoint(1, 5));
  FLoadingFont = true;
  TFont* font = test->GetFontObject();
  FontBox->SetFontName(font->GetName());
  const int charset = CharsetIndex(font->GetCharset());
  if (charset >= 0) Charset->SetItemIndex(charset);
  Fontsize->SetValue(font->GetSize());
  Bold->SetChecked(font->GetStyle().Contains(fsBold));
  Italic->SetChecked(font->GetStyle().Contains(fsItalic));
  FLoadingFont = false;
}

void TSetup::FontControlChange(TObject* sender) {
  if (FLoadingFont) return;
  TFont* font = test->GetFontObject();
  if (sender == FontBox) {
    // A name no family has leaves the box empty and the font as it was.
    if (!FontBox->GetFontName().empty()) font->SetName(FontBox->GetFontName());
  } else if (sender == Charset && Charset->GetItemIndex() >= 0) {
    font->SetCharset(kCharsets[Charset->GetItemIndex()].Value);
  } else if (sender == Fontsize) {
    font->SetSize(Fontsize->GetValue());
  } else if (sender == Bold || sender == Italic) {
    TFontStyles style = font->GetStyle();
    TFontStyle bit = sender == Bold ? fsBold : fsItalic;
    if (static_cast<TCheckBox*>(sender)->GetChecked())
      style.Include(bit);
    else
      style.Exclude(bit);
    font->SetStyle(style);
  }
}

void TSetup::GutterControlChange(TObject*) {
  TktGutter* g = test->GetEdit()->GetGutter();
  g->SetVisible(ShowGutter->GetChecked());
  g->SetAutoSize(Autosize->GetChecked());
  g->SetShowLineNumbers(Showlines->GetChecked());
  g->SetWidth(GutterWidth->GetValue());
}

void TSetup::LayoutStylesPage() {
  // The tab set at the page's foot; the example and the syntax panel down to it.
  const TRect room = StylesPage->GetClientRect();
  const int tabsTop = std::max(room.Bottom - 8 - TabSet1->GetHeight(), kPageHeight + 14);
  TabSet1->SetTop(tabsTop);
  const int height = tabsTop - 6 - 8;
  test->SetHeight(height);
  SyntaxPanel->SetHeight(height - SyntaxPanel->GetTop() + 8);
  AttrList->SetHeight(std::max(SyntaxPanel->GetHeight() - AttrList->GetTop(), 20));
}

void TSetup::ShowStyleTab(int index) {
  FStyleTab = index;
  if (TabSet1->GetTabIndex() != index) TabSet1->SetTabIndex(index);
  FontPanel->SetVisible(index == 0);
  GutterPanel->SetVisible(index == 1);
  PalettePanel->SetVisible(index >= 2);
  SyntaxPanel->SetVisible(index == 5);
  TktCustomEdit* e = test->GetEdit();
  switch (index) {
    case 0:
    case 1: LoadFontControls(); break;
    case 2:
      LoadFontControls();
      MarkPalette(test->GetFontObject()->GetColor(), test->GetColor());
      break;
    case 3:
      LoadFontControls();
      MarkPalette(e->GetSelectedColor()->GetForeground(), e->GetSelectedColor()->GetBackground());
      break;
    case 4:
      LoadFontControls();
      MarkPalette(e->GetRightEdgeColor(), clNone);  // no panel is "BG" here
      break;
    case 5:
      HlListChange(hllist);
      AttrListClick(AttrList);
      break;
  }
}

void TSetup::MarkPalette(TColor fg, TColor bg) {
  for (int i = 0; i < 72; ++i) {
    Palette[i]->GetFontObject()->SetColor(ContrastColor(kPalette[i]));
    Palette[i]->SetCaption(PaletteCaption(kPalette[i], fg, bg));
  }
  if (!CurrentAttribute) return;
  const TFontStyles style = CurrentAttribute->GetStyle();
  FLoadingFont = true;
  hlbold->SetChecked(style.Contains(fsBold));
  hlItalic->SetChecked(style.Contains(fsItalic));
  hlUnderline->SetChecked(style.Contains(fsUnderline));
  FLoadingFont = false;
}

void TSetup::SelectLanguage(const std::string& item) {
  const int i = hllist->GetItems()->IndexOf(item);
  if (i < 0) return;
  hllist->SetItemIndex(i);
  HlListChange(hllist);
}

void TSetup::HlListChange(TObject*) {
  const TStyleLanguage* language = FindStyleLanguage(hllist->GetText());
  if (!language) return;
  AttrList->GetItems()->Clear();
  for (const char* a : language->Attributes) AttrList->GetItems()->Add(a);
  TktCustomEdit* e = test->GetEdit();
  e->SetText(language->Sample);
  e->SetHighLighter(dynamic_cast<TktCustomHighLighter*>(FData->FindComponent(language->ShownComponent)));
  // The new language's first attribute is current: the palette must not
  // go on recolouring a highlighter no longer shown.
  AttrList->SetItemIndex(0);
  CurrentAttribute = StyleAttribute(*FData, *language, language->Attributes.front());
  if (FStyleTab == 5 && CurrentAttribute) MarkPalette(CurrentAttribute->GetForeground(), CurrentAttribute->GetBackground());
}

void TSetup::SelectAttribute(int index) {
  AttrList->SetItemIndex(index);
  AttrListClick(AttrList);
}

void TSetup::AttrListClick(TObject*) {
  const TStyleLanguage* language = FindStyleLanguage(hllist->GetText());
  const int i = AttrList->GetItemIndex();
  if (!language || i < 0) return;
  CurrentAttribute = StyleAttribute(*FData, *language, AttrList->GetItems()->Get(i));
  if (CurrentAttribute) MarkPalette(CurrentAttribute->GetForeground(), CurrentAttribute->GetBackground());
}

void TSetup::StyleBoxClick(TObject* sender) {
  if (FLoadingFont || !CurrentAttribute) return;
  TFontStyles style = CurrentAttribute->GetStyle();
  const TFontStyle bit = sender == hlbold ? fsBold : sender == hlItalic ? fsItalic : fsUnderline;
  if (static_cast<TCheckBox*>(sender)->GetChecked())
    style.Include(bit);
  else
    style.Exclude(bit);
  CurrentAttribute->SetStyle(style);
}

void TSetup::PalettePress(int panel, TMouseButton button) {
  if (panel < 0 || panel >= 72) return;
  if (!CurrentAttribute) AttrListClick(AttrList);
  const TColor color = kPalette[panel];
  const bool fg = button == mbLeft;
  TktCustomEdit* e = test->GetEdit();
  switch (FStyleTab) {
    case 2:
      if (fg)
        test->GetFontObject()->SetColor(color);
      else
        test->SetColor(color);
      MarkPalette(test->GetFontObject()->GetColor(), test->GetColor());
      break;
    case 3:
      if (fg)
        e->GetSelectedColor()->SetForeground(color);
      else
        e->GetSelectedColor()->SetBackground(color);
      MarkPalette(e->GetSelectedColor()->GetForeground(), e->GetSelectedColor()->GetBackground());
      break;
    case 4:
      e->SetRightEdgeColor(color);
      MarkPalette(color, clNone);
      break;
    case 5:
      if (!CurrentAttribute) return;
      if (fg)
        CurrentAttribute->SetForeground(color);
      else
        CurrentAttribute->SetBackground(color);
      MarkPalette(CurrentAttribute->GetForeground(), CurrentAttribute->GetBackground());
      break;
    default: break;
  }
}

// --- the Styles page's defaults --------------------------------------------------------

void TSetup::DefaultFont() {
  TFontData font = test->GetFontObject()->GetData();
  font.Name = "FixedSys";
  font.CharSet = 1;
  font.Style = TFontStyles();
  TFont* f = test->GetFontObject();
  f->SetData(font);
  f->SetSize(12);
  LoadFontControls();
}

void TSetup::DefaultGutter() { ApplyControlValues(this, kGutterDefaults); }

void TSetup::DefaultNormalColors() {
  test->GetFontObject()->SetColor(clBlack);
  test->SetColor(clWhite);
}

void TSetup::DefaultSelectedColors() {
  test->GetSelectedColor()->SetForeground(clWhite);
  test->GetSelectedColor()->SetBackground(clNavy);
}

void TSetup::DefaultEdgeColor() { test->SetRightEdgeColor(clGray); }
