// The "Print" dialog.
#include "app/output/win/PrintDlg.h"

#include <tuple>

#include "kit/win/Placemnt.h"
#include "platform/win/Application.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/Printers.h"

TPrintDlg* PrintDlg = nullptr;

namespace {

// The stored controls, "Control.Property" as the form storage keeps them.
const char* const kStored[] = {
    "Copies.Value", "SelectedOnly.Checked", "Highlighted.Checked", "WrapLines.Checked",
    "IgnoreColors.Checked", "leftMargin.Value", "RightMargin.Value", "TopMargin.Value",
    "BottomMargin.Value", "Milimeters.Checked", "Pixels.Checked", "inches.Checked", "isTitle.Checked",
    "TitleFileName.Checked", "TitleCustom.Checked", "TitleMessage.Text", "TitleV.ItemIndex",
    "TitleH.ItemIndex", "isHeader.Checked", "HeaderCustom.Checked", "HeaderMemo.Lines",
    "HeaderPage.Checked", "HeaderDate.Checked", "HeaderComputer.Checked",
    "HeaderNoonefromabove.Checked", "HeaderH.ItemIndex", "isFooter.Checked", "FooterCustom.Checked",
    "FooterMemo.Lines", "FooterPage.Checked", "FooterDate.Checked", "FooterComputer.Checked",
    "FooterNoonefromabove.Checked", "FooterH.ItemIndex",
};

TCheckBox* Check(TWinControl* parent, TComponent* owner, const std::string& name, const std::string& caption,
                 int left, int top, int width = 150) {
  auto* c = Make<TCheckBox>(owner).Parent(parent).Name(name).Bounds(left, top, width, 18).Caption(caption).Get();
  c->SetTabStop(true);
  return c;
}

TRadioButton* Radio(TWinControl* parent, TComponent* owner, const std::string& name, const std::string& caption,
                    int left, int top, int width = 150) {
  return Make<TRadioButton>(owner).Parent(parent).Name(name).Bounds(left, top, width, 18).Caption(caption).Get();
}

TGroupBox* Group(TWinControl* parent, TComponent* owner, const std::string& name, const std::string& caption,
                 int left, int top, int width, int height) {
  return Make<TGroupBox>(owner).Parent(parent).Name(name).Bounds(left, top, width, height).Caption(caption).Get();
}

std::vector<std::string> MemoLines(TMemo* memo) {
  std::vector<std::string> lines;
  TStrings* l = memo->GetLines();
  for (int i = 0; i < l->GetCount(); ++i) lines.push_back(l->Get(i));
  return lines;
}

}  // namespace

TPrintDlg::TPrintDlg(TComponent* owner) : TForm(owner) {
  SetName("PrintDlg");
  SetCaption("Print");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 560, 470);
  FStorage = new TFormStorage(this);
  FStorage->SetName("FormStorage");
  FStorage->SetUseRegistry(true);
  FStorage->SetIniSection("PrintDialog");

  auto* printerBox = Group(this, this, "PrinterBox", "Current Printer", 8, 4, 536, 50);
  CurrentPrinter = Make<TComboBox>(this).Parent(printerBox).Name("CurrentPrinter").Bounds(10, 18, 300, 21)
                       .On(&TComboBox::OnChange, this, &TPrintDlg::CurrentPrinterChange).Get();
  CurrentPrinter->SetStyle(csDropDownList);
  CurrentPrinter->SetTabStop(true);
  SetupButton = Make<TButton>(this).Parent(printerBox).Name("SetupButton").Bounds(320, 16, 100, 25)
                    .Caption("Setup Printer").On(&TButton::OnClick, this, &TPrintDlg::SetupButtonClick).Get();
  SetupButton->SetTabStop(true);
  Make<TLabel>(this).Parent(printerBox).Name("CopiesLabel").Bounds(430, 21, 40, 14).Caption("Copies");
  Copies = MakeSpin(printerBox, "Copies", 474, 18, 1, 1);

  // Four boxes a row: each as wide as its step, so none covers the next one's box.
  SelectedOnly = Check(this, this, "SelectedOnly", "Selected Only", 16, 60, 126);
  Highlighted = Check(this, this, "Highlighted", "Highlight Sintax", 150, 60, 126);
  WrapLines = Check(this, this, "WrapLines", "Wrap long lines", 284, 60, 126);
  IgnoreColors = Check(this, this, "IgnoreColors", "Ignore Colors", 418, 60, 120);

  auto* margins = Group(this, this, "MarginsBox", "Margins:", 8, 82, 264, 76);
  int x = 8;
  for (auto [name, caption, spin] :
       {std::tuple{"leftMargin", "Left", &leftMargin}, std::tuple{"RightMargin", "Right", &RightMargin},
        std::tuple{"TopMargin", "Top", &TopMargin}, std::tuple{"BottomMargin", "Bottom", &BottomMargin}}) {
    Make<TLabel>(this).Parent(margins).Name(std::string(name) + "Label").Bounds(x, 20, 56, 14).Caption(caption);
    *spin = MakeSpin(margins, name, x, 38, 20, 0);
    x += 62;
  }
  auto* units = Group(this, this, "UnitsBox", "Mesurement Units:", 280, 82, 264, 76);
  Milimeters = Radio(units, this, "Milimeters", "Milimeters", 10, 18, 110);
  Pixels = Radio(units, this, "Pixels", "Pixels", 130, 18, 110);
  inches = Radio(units, this, "inches", "Thousands of inches", 10, 44, 200);
  Milimeters->SetChecked(true);

  auto* title = Group(this, this, "TitleBox", "", 8, 162, 536, 72);
  isTitle = Check(title, this, "isTitle", "Print Title", 10, 14, 100);
  isTitle->SetChecked(true);
  TitleFileName = Radio(title, this, "TitleFileName", "File Name", 120, 14, 100);
  TitleCustom = Radio(title, this, "TitleCustom", "Custom message:", 120, 40, 110);
  TitleFileName->SetChecked(true);
  TitleMessage = Make<TEdit>(this).Parent(title).Name("TitleMessage").Bounds(234, 38, 150, 21).Get();
  TitleMessage->SetTabStop(true);
  TitleV = Make<TComboBox>(this).Parent(title).Name("TitleV").Bounds(392, 12, 136, 21).Get();
  TitleV->SetStyle(csDropDownList);
  TitleV->SetTabStop(true);
  TitleV->GetItems()->Add("On the Top");
  TitleV->GetItems()->Add("On the Bottom");
  TitleV->SetItemIndex(0);
  TitleH = MakeAlignment(title, "TitleH", 392, 40);

  MakeLines("Header", "Print Header", 238);
  MakeLines("Footer", "Print Footer", 328);

  PrintButton = Make<TButton>(this).Parent(this).Name("PrintButton").Bounds(370, 414, 80, 25).Caption("Print").Get();
  PrintButton->SetModalResult(mrOk);
  PrintButton->SetDefault(true);
  PrintButton->SetTabStop(true);
  CancelButton = Make<TButton>(this).Parent(this).Name("CancelButton").Bounds(460, 414, 80, 25).Caption("Cancel").Get();
  CancelButton->SetModalResult(mrCancel);
  CancelButton->SetCancel(true);
  CancelButton->SetTabStop(true);
  PrinterSetupDialog = new TPrinterSetupDialog(this);
  PrinterSetupDialog->SetName("PrinterSetupDialog");

  OnShow = Bind(this, &TPrintDlg::FormShow);
  OnCloseQuery = Bind(this, &TPrintDlg::FormCloseQuery);
  for (const char* entry : kStored) FStorage->GetStoredProps()->Add(entry);
  // Made hidden at start-up: its windows wait for its first showing.
  FStorage->SetHookWhenWindowMade(true);
  FStorage->Loaded();
}

void TPrintDlg::CreateWnd() {
  TForm::CreateWnd();
  if (FStorage) FStorage->FormWindowCreated();
}

TPrintDlg::~TPrintDlg() {
  if (PrintDlg == this) PrintDlg = nullptr;
}

TSpinEdit* TPrintDlg::MakeSpin(TWinControl* parent, const std::string& name, int left, int top, int value,
                               int min) {
  auto* spin = Make<TSpinEdit>(this).Parent(parent).Name(name).Bounds(left, top, 56, 21).Get();
  spin->SetMinValue(min);
  spin->SetMaxValue(9999);
  spin->SetValue(value);
  spin->SetTabStop(true);
  return spin;
}

TComboBox* TPrintDlg::MakeAlignment(TWinControl* parent, const std::string& name, int left, int top) {
  auto* box = Make<TComboBox>(this).Parent(parent).Name(name).Bounds(left, top, 136, 21).Get();
  box->SetStyle(csDropDownList);
  box->SetTabStop(true);
  for (const char* item : {"Right Alignment", "Left Alignment", "Center Alignment"}) box->GetItems()->Add(item);
  box->SetItemIndex(0);
  return box;
}

void TPrintDlg::MakeLines(const std::string& prefix, const std::string& caption, int top) {
  const bool header = prefix == "Header";
  auto* box = Group(this, this, prefix + "Box", "", 8, top, 536, 86);
  TCheckBox* enabled = Check(box, this, header ? "isHeader" : "isFooter", caption, 10, 12, 100);
  enabled->SetChecked(true);
  TCheckBox* custom = Check(box, this, prefix + "Custom", "Custom Message:", 10, 36, 110);
  auto* memo = Make<TMemo>(this).Parent(box).Name(prefix + "Memo").Bounds(120, 12, 150, 66).Get();
  memo->SetTabStop(true);
  TRadioButton* page = Radio(box, this, prefix + "Page", "Page Number", 278, 10, 110);
  TRadioButton* date = Radio(box, this, prefix + "Date", "Date and Time", 278, 28, 110);
  TRadioButton* computer = Radio(box, this, prefix + "Computer", "Computer Name", 278, 46, 110);
  TRadioButton* none = Radio(box, this, prefix + "Noonefromabove", "No one from above", 278, 64, 110);
  none->SetChecked(true);
  // In line with the title's alignment box, clear of the frame.
  TComboBox* align = MakeAlignment(box, prefix + "H", 392, 12);
  if (header) {
    isHeader = enabled, HeaderCustom = custom, HeaderMemo = memo, HeaderPage = page, HeaderDate = date;
    HeaderComputer = computer, HeaderNoonefromabove = none, HeaderH = align;
  } else {
    isFooter = enabled, FooterCustom = custom, FooterMemo = memo, FooterPage = page, FooterDate = date;
    FooterComputer = computer, FooterNoonefromabove = none, FooterH = align;
  }
}

TPrintDialogValues TPrintDlg::Values() const {
  TPrintDialogValues v;
  v.Copies = Copies->GetValue();
  v.SelectedOnly = SelectedOnly->GetChecked();
  v.Highlighted = Highlighted->GetChecked();
  v.WrapLines = WrapLines->GetChecked();
  v.IgnoreColors = IgnoreColors->GetChecked();
  v.LeftMargin = leftMargin->GetValue();
  v.RightMargin = RightMargin->GetValue();
  v.TopMargin = TopMargin->GetValue();
  v.BottomMargin = BottomMargin->GetValue();
  v.Units = Pixels->GetChecked() ? puPixels : inches->GetChecked() ? puThousandthsOfInch : puMillimetres;
  v.IsTitle = isTitle->GetChecked();
  v.TitleFileName = TitleFileName->GetChecked();
  v.TitleMessage = TitleMessage->GetText();
  v.TitleV = TitleV->GetItemIndex();
  v.TitleH = TitleH->GetItemIndex();
  v.Header = TPrintLinesValues{isHeader->GetChecked(), HeaderPage->GetChecked(), HeaderDate->GetChecked(),
                               HeaderComputer->GetChecked(), HeaderCustom->GetChecked(), MemoLines(HeaderMemo),
                               HeaderH->GetItemIndex()};
  v.Footer = TPrintLinesValues{isFooter->GetChecked(), FooterPage->GetChecked(), FooterDate->GetChecked(),
                               FooterComputer->GetChecked(), FooterCustom->GetChecked(), MemoLines(FooterMemo),
                               FooterH->GetItemIndex()};
  return v;
}

void TPrintDlg::ListPrinters() {
  TStrings* printers = Printer()->GetPrinters();
  CurrentPrinter->GetItems()->Assign(printers);
  CurrentPrinter->SetItemIndex(Printer()->GetPrinterIndex());
}

void TPrintDlg::FormShow(TObject*) {
  // The storage has put the stored values back by now: they are what a
  // cancel keeps.
  TakeSnapshot();
  SelectedOnly->SetChecked(SelectionFlag);
  ListPrinters();
  // A control of its own has the keys from the start, so Enter and Esc
  // answer whatever had the focus last time.
  if (CurrentPrinter->CanFocus()) CurrentPrinter->SetFocus();
}

void TPrintDlg::FormCloseQuery(TObject*, bool&) {
  // Runs before the storage writes the controls.
  if (GetModalResult() != mrOk) RestoreSnapshot();
}

void TPrintDlg::CurrentPrinterChange(TObject*) {
  const int index = CurrentPrinter->GetItemIndex();
  if (index >= 0) Printer()->SetPrinterIndex(index);
}

void TPrintDlg::SetupButtonClick(TObject*) {
  if (PrinterSetupDialog->Execute()) ListPrinters();
}

void TPrintDlg::TakeSnapshot() {
  FSnapshot.clear();
  for (const char* entry : kStored) {
    const std::string e = entry;
    const std::string name = e.substr(0, e.find('.'));
    TComponent* c = FindComponent(name);
    if (auto* check = dynamic_cast<TCheckBox*>(c)) FSnapshot[name] = check->GetChecked() ? "1" : "0";
    else if (auto* radio = dynamic_cast<TRadioButton*>(c)) FSnapshot[name] = radio->GetChecked() ? "1" : "0";
    else if (auto* spin = dynamic_cast<TSpinEdit*>(c)) FSnapshot[name] = std::to_string(spin->GetValue());
    else if (auto* combo = dynamic_cast<TComboBox*>(c)) FSnapshot[name] = std::to_string(combo->GetItemIndex());
    else if (auto* memo = dynamic_cast<TMemo*>(c)) FSnapshot[name] = memo->GetLines()->GetTextStr();
    else if (auto* edit = dynamic_cast<TEdit*>(c)) FSnapshot[name] = edit->GetText();
  }
}

void TPrintDlg::RestoreSnapshot() {
  for (const auto& [name, value] : FSnapshot) {
    TComponent* c = FindComponent(name);
    if (auto* check = dynamic_cast<TCheckBox*>(c)) check->SetChecked(value == "1");
    // Checking a radio button unchecks its siblings.
    else if (auto* radio = dynamic_cast<TRadioButton*>(c)) { if (value == "1") radio->SetChecked(true); }
    else if (auto* spin = dynamic_cast<TSpinEdit*>(c)) spin->SetValue(std::stoi(value));
    else if (auto* combo = dynamic_cast<TComboBox*>(c)) combo->SetItemIndex(std::stoi(value));
    else if (auto* memo = dynamic_cast<TMemo*>(c)) memo->GetLines()->SetTextStr(value);
    else if (auto* edit = dynamic_cast<TEdit*>(c)) edit->SetText(value);
  }
}

std::string SystemComputerName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  return ::GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}
