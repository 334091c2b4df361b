// The calculator window.
#include "app/tools/win/CalcForm.h"

#include <algorithm>

#include "app/tools/Calc.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/Clipbrd.h"
#include "platform/win/Dialogs.h"
#include "platform/win/FormBuilder.h"

TCalc* Calc = nullptr;

namespace {

constexpr int kWidth = 200;
constexpr int kBarHeight = 18;

// The keypad, row by row; each button's caption is what it does.
const char* const kKeys[] = {
    "7",  "8",  "9",  "/",  "Sin",  //
    "4",  "5",  "6",  "*",  "Log",  //
    "1",  "2",  "3",  "-",  "Exp",  //
    "0",  ".",  "^",  "+",  "Sqrt", //
    "MR", "M+", "M-", "MC", "C",    //
    "Copy", "Paste",
};

const int kFontSizes[] = {8, 10, 12, 14, 16, 18, 20, 24};

}  // namespace

TCalc::TCalc(TComponent* owner) : TForm(owner) {
  SetName("Calc");
  SetCaption("Calculator");
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetBounds(0, 0, kWidth, 60);
  MakeMenu();
  MakeBar();
  Edit = Make<TComboBox>(this).Parent(this).Name("Edit").Bounds(0, kBarHeight, kWidth, 21).Get();
  Edit->SetTabStop(true);
  Edit->SetTag(1);
  Edit->OnKeyPress = Bind(this, &TCalc::EditKeyPress);
  Edit->OnChange = [this](TObject*) { UpdateHint(); };
  MakeKeypad();
  OnActivate = Bind(this, &TCalc::FormActivate);

  FormStorage = new TFormStorage(this);
  FormStorage->SetName("FormStorage");
  FormStorage->SetUseRegistry(true);
  FormStorage->SetIniSection("TCalc");
  FormStorage->SetOptions(TPlacementOptions{fpPosition});
  for (const char* e : {"Edit.Font", "Edit.Tag", "ShowHint.Checked", "NotShow.Checked"})
    FormStorage->GetStoredProps()->Add(e);
  // The menu shows the size the stored font brings back at the first showing.
  FormStorage->OnRestorePlacement = [this](TObject*) {
    CheckFontSizeItem(FontHeightToSize(Edit->GetFont().Height, 96));
  };
  FormStorage->Loaded();
  Edit->SetShowHint(ShowHint->GetChecked());
  Relayout();
}

TCalc::~TCalc() {
  DoDestroy();
  if (Calc == this) Calc = nullptr;
}

void TCalc::MakeMenu() {
  Menu = Make<TPopupMenu>(this).Name("Menu");
  auto* sizes = new TMenuItem(this);
  sizes->SetName("Fontsize");
  sizes->SetCaption("Fontsize");
  Menu->GetItems()->Add(sizes);
  for (int size : kFontSizes) {
    auto* item = new TMenuItem(this);
    item->SetName("Font" + std::to_string(size));
    item->SetCaption(std::to_string(size));
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    item->SetChecked(size == 8);
    item->OnClick = [this, size](TObject*) { SetFontSize(size); };
    sizes->Add(item);
  }
  auto* hint = new TMenuItem(this);
  hint->SetName("Hint");
  hint->SetCaption("Hint");
  Menu->GetItems()->Add(hint);
  ShowHint = new TMenuItem(this);
  ShowHint->SetName("ShowHint");
  ShowHint->SetCaption("Visible");
  NotShow = new TMenuItem(this);
  NotShow->SetName("NotShow");
  NotShow->SetCaption("Unvisible");
  for (TMenuItem* item : {ShowHint, NotShow}) {
    item->SetRadioItem(true);
    item->SetGroupIndex(2);
    hint->Add(item);
    item->OnClick = [this, item](TObject*) {
      ShowHint->SetChecked(item == ShowHint);
      NotShow->SetChecked(item == NotShow);
      Edit->SetShowHint(item == ShowHint);
      UpdateHint();
    };
  }
  ShowHint->SetChecked(true);
}

void TCalc::MakeBar() {
  Bar = Make<TPanel>(this).Parent(this).Name("Bar").Bounds(0, 0, kWidth, kBarHeight).Get();
  Bar->SetBevelOuter(bvNone);
  Bar->SetColor(clNavy);
  Bar->SetCaption("");
  BarCaption = Make<TLabel>(this).Parent(Bar).Name("BarCaption").Align(alClient)
                   .Caption("       Advanced Calculator").Get();
  BarCaption->SetTransparent(true);
  BarCaption->SetLayout(tlCenter);
  TFontData font = BarCaption->GetFont();
  font.Color = clWhite;
  BarCaption->SetFont(font);
  auto button = [this](const char* name, const char* caption) {
    auto* b = Make<TRxSpeedButton>(this).Parent(Bar).Name(name).Align(alRight).Caption(caption).Get();
    b->SetWidth(kBarHeight);
    return b;
  };
  CloseButton = button("CloseButton", "x");
  CloseButton->OnClick = [this](TObject*) { CloseCalc(); };
  KeypadButton = button("KeypadButton", "#");
  KeypadButton->OnClick = [this](TObject*) { SetKeypad(Edit->GetTag() == 0); };
  MenuButton = button("MenuButton", "v");
  MenuButton->OnClick = [this](TObject*) { Menu->Popup(GetLeft() + 10, GetTop() + 18); };
  MinimizeButton = Make<TButton>(this).Parent(Bar).Name("MinimizeButton").Bounds(0, 0, 1, 1).Caption("_").Get();
  MinimizeButton->SetVisible(false);
  MinimizeButton->OnClick = Bind(this, &TCalc::MinimizeClick);
  FDrag.Attach(this, Bar, {BarCaption});
}

void TCalc::MakeKeypad() {
  Keypad = Make<TPanel>(this).Parent(this).Name("Keypad").Bounds(0, kBarHeight + 21, kWidth, kKeypadHeight).Get();
  Keypad->SetBevelOuter(bvNone);
  const int columns = 5, rows = 6;
  const int w = kWidth / columns, h = kKeypadHeight / rows;
  int i = 0;
  for (const char* caption : kKeys) {
    auto* b = new TRxSpeedButton(this);
    b->SetParent(Keypad);
    b->SetCaption(caption);
    b->SetBounds((i % columns) * w, (i / columns) * h, w, h);
    b->OnClick = Bind(this, &TCalc::ButtonClick);
    ++i;
  }
}

void TCalc::Relayout() {
  // The box is as high as its font makes it; the keypad lies below it.
  const int editHeight = Edit->HandleAllocated() ? Edit->GetHeight() : 21;
  Keypad->SetBounds(0, kBarHeight + editHeight, kWidth, kKeypadHeight);
  Keypad->SetVisible(Edit->GetTag() != 0);
  SetBounds(GetLeft(), GetTop(), kWidth, kBarHeight + editHeight + (Edit->GetTag() != 0 ? kKeypadHeight : 0));
}

void TCalc::SetKeypad(bool shown) {
  Edit->SetTag(shown ? 1 : 0);
  Relayout();
}

void TCalc::SetFontSize(int size) {
  TFontData font = Edit->GetFont();
  font.Height = FontSizeToHeight(size, 96);
  Edit->SetFont(font);
  CheckFontSizeItem(size);
  Relayout();
}

void TCalc::CheckFontSizeItem(int size) {
  for (int s : kFontSizes)
    if (auto* item = dynamic_cast<TMenuItem*>(FindComponent("Font" + std::to_string(s)))) item->SetChecked(s == size);
}

void TCalc::InsertText(const std::string& text) {
  std::string expression = Edit->GetText();
  const size_t start = std::min(expression.size(), static_cast<size_t>(std::max(0, Edit->GetSelStart())));
  const size_t length = std::min(expression.size() - start, static_cast<size_t>(std::max(0, Edit->GetSelLength())));
  expression.replace(start, length, text);
  Edit->SetText(expression);
  Edit->SetSelStart(int(start + text.size()));
  Edit->SetSelLength(0);
  UpdateHint();
}

void TCalc::Evaluate() {
  const std::string expression = Edit->GetText();
  try {
    const std::string result = TCalcEngine::Calculate(expression);
    Edit->GetItems()->Insert(0, expression);
    Edit->SetText(result);
  } catch (const Exception& e) {
    ::ShowMessage(e.Message() + " Overflow!");
  }
  Edit->SetSelStart(int(Edit->GetText().size()));
  Edit->SetSelLength(0);
}

void TCalc::UpdateHint() {
  if (!Edit->GetShowHint()) return;
  Application->SetHintHidePause(100000);
  Application->SetHintPause(0);
  Application->SetShowHint(true);
  try {
    Edit->SetHint(TCalcEngine::ValueHint(TCalcEngine::Evaluate(Edit->GetText())));
  } catch (const Exception&) {
    // What does not evaluate keeps the hint it had.
  }
}

void TCalc::EditKeyPress(TObject*, char& key) {
  if (key == '\r' || key == '=') {
    key = 0;
    Evaluate();
  }
}

void TCalc::ButtonClick(TObject* sender) {
  const std::string caption = static_cast<TControl*>(sender)->GetCaption();
  if (caption == "Sin" || caption == "Log" || caption == "Exp" || caption == "Sqrt") {
    if (::GetKeyState(VK_CONTROL) < 0) {
      Edit->SetText(caption + "(" + Edit->GetText() + ")");
      Edit->SetSelStart(int(Edit->GetText().size()));
      UpdateHint();
    } else {
      InsertText(caption + "()");
      Edit->SetSelStart(Edit->GetSelStart() - 1);
    }
  } else if (caption == "Copy") {
    Clipboard().SetAsText(Edit->GetText());
  } else if (caption == "Paste") {
    InsertText(Clipboard().GetAsText());
  } else if (caption == "MR") {
    InsertText(TCalcEngine::FormatValue(FMemory));
  } else if (caption == "M+" || caption == "M-") {
    try {
      const long double v = TCalcEngine::Evaluate(Edit->GetText());
      FMemory += caption == "M+" ? v : -v;
    } catch (const Exception& e) {
      ::ShowMessage(e.Message() + " Overflow!");
    }
  } else if (caption == "MC") {
    FMemory = 0;
  } else if (caption == "C") {
    Edit->SetText("");
  } else {
    InsertText(caption);
  }
  if (Edit->CanFocus()) Edit->SetFocus();
}

void TCalc::MinimizeClick(TObject*) {
  SetCaption(Edit->GetText());
  if (StandAlone) Application->Minimize();
}

void TCalc::CloseCalc() {
  if (StandAlone)
    Close();
  else
    Hide();
}

void TCalc::FormActivate(TObject*) {
  // Alone, the window may have been minimised with the keypad's panel.
  if (StandAlone) Keypad->SetVisible(Edit->GetTag() != 0);
  Relayout();
}

void TCalc::KeyDown(uint16_t& key, TShiftState shift) {
  // Esc closes it as it closes the other tool windows, unless the history's
  // drop-down is open: that takes the first one.
  if (TakeCloseKey(key, shift) || (key == VK_F4 && (shift.Contains(ssCtrl) || shift.Contains(ssAlt)))) {
    key = 0;
    CloseCalc();
    return;
  }
  TForm::KeyDown(key, shift);
}
