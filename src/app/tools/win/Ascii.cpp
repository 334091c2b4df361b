#include "app/tools/win/Ascii.h"

#include "app/tools/AsciiTable.h"
#include "app/settings/Styles.h"
#include "editor/CustomEdit.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/FormBuilder.h"

TASCII* ASCII = nullptr;

namespace {

// The magnifier: one large character on light green.
class TMagnifier : public THintWindow {
public:
  explicit TMagnifier(TComponent* owner) : THintWindow(owner) {}

protected:
  void Paint() override {
    ICanvas* canvas = GetCanvas();
    canvas->SetBrushColor(GetColor());
    canvas->FillRect(GetClientRect());
    canvas->SetFont(GetFont());
    canvas->SetBrushStyle(bsClear);
    const TSize size = canvas->TextExtent(FText);
    canvas->TextOut((GetClientWidth() - size.cx) / 2, (GetClientHeight() - size.cy) / 2, FText);
  }
};

}  // namespace

template <class F> void TASCII::Guard(int place, F&& f) {
  try {
    f();
  } catch (const Exception& e) {
    const std::string text = Format(
        "Unexpected error at Ascii.%d: %s\r\nWould you send me whole this message to solve that problem?", place,
        e.Message().c_str());
    if (Application)
      Application->MessageBox(text, GetCaption(), MB_OK | MB_ICONERROR);
  }
}

TASCII::TASCII(TComponent* owner) : TForm(owner) {
  SetName("ASCII");
  SetCaption("ASCII Table");
  SetBorderStyle(bsSingle);
  SetBounds(100, 100, 600, 420);
  SetKeyPreview(true);
  StatusBar = Make<TStatusBar>(this).Parent(this).Name("StatusBar").Align(alBottom).With([](TStatusBar* s) {
    const char* texts[] = {"Decimal:", "Hex:", "OEM:"};
    const int widths[] = {130, 130, 50};
    for (int i = 0; i < 3; ++i) {
      TStatusPanel* p = s->AddPanel();
      p->SetWidth(widths[i]);
      p->SetText(texts[i]);
    }
  });
  const int gridWidth = kAsciiGridSize * (kAsciiCellWidth + 1);
  const int gridHeight = kAsciiGridSize * (kAsciiCellHeight + 1);
  Grid = Make<TStringGridWindow>(this).Parent(this).Name("Grid").Bounds(0, 0, gridWidth, gridHeight).With(
      [](TStringGridWindow* w) {
        w->SetBorder(false);
        w->SetColor(clWhite);
        TStringGrid* g = w->GetStringGrid();
        g->SetColCount(kAsciiGridSize);
        g->SetRowCount(kAsciiGridSize);
        g->SetDefaultColWidth(kAsciiCellWidth);
        g->SetDefaultRowHeight(kAsciiCellHeight);
        g->SetScrollBars(gssNone);
        g->SetColor(clWhite);
      });
  Grid->OnMouseMove = Bind(this, &TASCII::GridMouseMove);
  Grid->OnMouseLeave = [this](TObject*) { HideMagnifier(); };
  Grid->OnDblClick = Bind(this, &TASCII::GridDblClick);
  Panel = Make<TPanel>(this).Parent(this).Name("Panel").Align(alClient);
  Panel->OnMouseMove = [this](TObject*, TShiftState, int, int) { HideMagnifier(); };
  StatusBar->OnMouseMove = [this](TObject*, TShiftState, int, int) { HideMagnifier(); };
  // The grid keeps its size at the left; the font controls fill the rest.
  Grid->SetAlign(alLeft);
  FontBox = Make<TFontComboBox>(this).Parent(Panel).Name("FontBox").Bounds(8, 8, 150, 22);
  FontBox->OnChange = Bind(this, &TASCII::FontChange);
  Bold = Make<TCheckBox>(this).Parent(Panel).Name("Bold").Bounds(8, 40, 100, 20).Caption("Bold");
  Bold->OnClick = Bind(this, &TASCII::FontChange);
  Italic = Make<TCheckBox>(this).Parent(Panel).Name("Italic").Bounds(8, 64, 100, 20).Caption("Italic");
  Italic->OnClick = Bind(this, &TASCII::FontChange);
  Charset = Make<TComboBox>(this).Parent(Panel).Name("Charset").Bounds(8, 92, 150, 22).With([](TComboBox* c) {
    c->SetStyle(csDropDownList);
    for (const TCharsetName& n : kCharsets) c->GetItems()->Add(n.Name);
    c->SetItemIndex(CharsetIndex(1));
  });
  Charset->OnChange = Bind(this, &TASCII::CharsetChange);
  // The window fits the grid, the font controls beside it and the status
  // bar; its frame is measured from its style, so no window is made before
  // it is first shown (the font list would be read at every start).
  TCreateParams params;
  CreateParams(params);
  RECT frame{0, 0, gridWidth + 166, gridHeight + StatusBar->GetHeight()};
  ::AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  SetBounds(GetLeft(), GetTop(), frame.right - frame.left, frame.bottom - frame.top);

  AppEvents = Make<TAppEvents>(this).Name("AppEvents");
  AppEvents->OnDeactivate = [this](TObject*) { HideMagnifier(); };
  AppEvents->Loaded();
  OnShow = Bind(this, &TASCII::FormShow);
  OnActivate = Bind(this, &TASCII::FormActivate);
  OnClose = Bind(this, &TASCII::FormClose);
  OnKeyDown = Bind(this, &TASCII::FormKeyDown);
  FormStorage = Make<TFormStorage>(this).Name("FormStorage");
  FormStorage->SetUseRegistry(true);
  FormStorage->SetIniFileName(ProgramRegistryKey());
  FormStorage->SetIniSection("TASCII");
  FormStorage->GetStoredProps()->Add("Bold.Checked");
  FormStorage->GetStoredProps()->Add("Italic.Checked");
  ResolveStoredProps(this, FormStorage->GetStoredProps());
  FormStorage->SetHookWhenWindowMade(true);
  FormStorage->Loaded();
  if (!::ASCII) ::ASCII = this;
}

TASCII::~TASCII() {
  if (::ASCII == this) ::ASCII = nullptr;
  DoDestroy();
}

void TASCII::CreateWnd() {
  TForm::CreateWnd();
  if (FormStorage) FormStorage->FormWindowCreated();
}

void TASCII::FormShow(TObject*) {
  Guard(170, [&] {
    if (!Magnifier) Magnifier = new TMagnifier(this);
  });
}

void TASCII::FormActivate(TObject*) {
  Guard(85, [&] {
    if (FontBox->GetItemIndex() < 0) FontBox->SetFontName("Arial");
    TFontData font = Grid->GetFont();
    font.Name = FontBox->GetFontName();
    Grid->SetFont(font);
    TStringGrid* g = Grid->GetStringGrid();
    for (int r = 0; r < kAsciiGridSize; ++r)
      for (int c = 0; c < kAsciiGridSize; ++c) g->SetCells(c, r, AsciiCellText(c, r));
    if (!Magnifier) Magnifier = new TMagnifier(this);
    Magnifier->SetColor(static_cast<TColor>(0xAAFFAA));
    ApplyFont();
  });
}

void TASCII::ApplyFont() {
  TFontData font = Grid->GetFont();
  font.Name = FontBox->GetFontName().empty() ? font.Name : FontBox->GetFontName();
  font.Style = TFontStyles();
  if (Bold->GetChecked()) font.Style.Include(fsBold);
  if (Italic->GetChecked()) font.Style.Include(fsItalic);
  Grid->SetFont(font);
  if (Magnifier) {
    // The magnifier shows what the grid shows: its face, style and
    // character set, large and black.
    TFontData big = font;
    big.Height = FontSizeToHeight(60, 96);
    big.Color = clBlack;
    Magnifier->SetFont(big);
  }
}

void TASCII::UseFont(const TFontData& font) {
  // The font list is read when the box gets its window; a face is only
  // chosen from a list that is there.
  FontBox->HandleNeeded();
  FontBox->SetFontName(font.Name);
  Bold->SetChecked(font.Style.Contains(fsBold));
  Italic->SetChecked(font.Style.Contains(fsItalic));
  const int charset = CharsetIndex(font.CharSet);
  if (charset >= 0) Charset->SetItemIndex(charset);
  Grid->SetFont(font);
  ApplyFont();
}

void TASCII::FontChange(TObject*) {
  Guard(95, [&] { ApplyFont(); });
}

void TASCII::CharsetChange(TObject*) {
  Guard(251, [&] {
    const int index = Charset->GetItemIndex();
    if (index < 0) return;
    TFontData font = Grid->GetFont();
    font.CharSet = AsciiCharsetOfName(Charset->GetItems()->Get(index));
    Grid->SetFont(font);
    ApplyFont();
  });
}

void TASCII::HideMagnifier() {
  if (Magnifier) Magnifier->ReleaseHandle();
}

void TASCII::GridMouseMove(TObject*, TShiftState, int x, int y) { GridMouseAt(x, y); }

void TASCII::GridMouseAt(int x, int y) {
  const TGridCoord cell = Grid->GetStringGrid()->MouseToCell(x, y);
  // The rule places the magnifier from the window's own left and top, its
  // frame included; the grid's point stands for the window's.
  const TPoint window(GetLeft(), GetTop());
  const TAsciiMouse m = AsciiMouseRule(x, y, cell.X, cell.Y, Grid->GetWidth(), Grid->GetHeight(), window);
  if (!m.Show || !Magnifier) {
    HideMagnifier();
    return;
  }
  Magnifier->ActivateHint(m.Magnifier, m.Character);
  StatusBar->GetPanel(0)->SetText(m.Decimal);
  StatusBar->GetPanel(1)->SetText(m.Hex);
  StatusBar->GetPanel(2)->SetText(m.Oem);
}

void TASCII::GridDblClick(TObject*) {
  Guard(138, [&] { InsertSelected(); });
}

void TASCII::InsertSelected() {
  TktCustomEdit* edit = TargetEditor ? TargetEditor() : nullptr;
  if (!edit) return;
  TStringGrid* g = Grid->GetStringGrid();
  // Code 0 and the headers have no text: nothing goes in, the selection stays.
  if (AsciiCode(g->GetCol(), g->GetRow()) <= 0) return;
  edit->SetSelText(AsciiCellText(g->GetCol(), g->GetRow()));
}

void TASCII::FormClose(TObject*, TCloseAction& action) {
  Guard(161, [&] {
    HideMagnifier();
    delete Magnifier;
    Magnifier = nullptr;
    if (StandAlone && Application) Application->Terminate();
  });
}

void TASCII::FormKeyDown(TObject*, uint16_t& key, TShiftState) {
  if (key == vkEscape) {
    key = 0;
    Close();
  }
}
