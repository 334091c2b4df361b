// TPrintDlg, the "Print" dialog: printer, copies, margins and their unit,
// selection only, highlighting, colours, and the title, header and footer
// lines. It prints nothing itself: the main window sets the selection flag,
// shows it, and reads Values() unless the result is 2. Everything but the
// printer list is kept in the section "PrintDialog"; a cancelled dialog
// stores what it showed on opening, not the edits made before Esc.
#pragma once

#include <map>
#include <string>

#include "app/output/PrintOptions.h"
#include "platform/win/Dialogs.h"
#include "platform/win/Forms.h"
#include "platform/win/Spin.h"
#include "platform/win/StdCtrls.h"

class TFormStorage;

class TPrintDlg : public TForm {
public:
  explicit TPrintDlg(TComponent* owner);
  ~TPrintDlg() override;

protected:
  void CreateWnd() override;

public:

  // Whether the document to print has a selection; "Selected Only" follows
  // it whenever the dialog opens.
  bool SelectionFlag = false;

  TPrintDialogValues Values() const;
  TFormStorage* GetStorage() const { return FStorage; }
  // Fills CurrentPrinter with the system's printers and selects the
  // current one.
  void ListPrinters();

  TComboBox* CurrentPrinter;
  TSpinEdit* Copies;
  TCheckBox *SelectedOnly, *Highlighted, *WrapLines, *IgnoreColors;
  TSpinEdit *leftMargin, *RightMargin, *TopMargin, *BottomMargin;
  TRadioButton *Milimeters, *Pixels, *inches;
  TCheckBox* isTitle;
  TRadioButton *TitleFileName, *TitleCustom;
  TEdit* TitleMessage;
  TComboBox *TitleV, *TitleH;
  TCheckBox *isHeader, *HeaderCustom;
  TMemo* HeaderMemo;
  TRadioButton *HeaderPage, *HeaderDate, *HeaderComputer, *HeaderNoonefromabove;
  TComboBox* HeaderH;
  TCheckBox *isFooter, *FooterCustom;
  TMemo* FooterMemo;
  TRadioButton *FooterPage, *FooterDate, *FooterComputer, *FooterNoonefromabove;
  TComboBox* FooterH;
  TButton *PrintButton, *CancelButton, *SetupButton;
  TPrinterSetupDialog* PrinterSetupDialog;

private:
  TSpinEdit* MakeSpin(TWinControl* parent, const std::string& name, int left, int top, int value, int min);
  TComboBox* MakeAlignment(TWinControl* parent, const std::string& name, int left, int top);
  void MakeLines(const std::string& prefix, const std::string& caption, int top);
  void FormShow(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void CurrentPrinterChange(TObject* sender);
  void SetupButtonClick(TObject* sender);
  void TakeSnapshot();
  void RestoreSnapshot();

  TFormStorage* FStorage;
  std::map<std::string, std::string> FSnapshot;
};

// The program's print dialog, made at start-up.
extern TPrintDlg* PrintDlg;

// The system's computer name, for SetComputerNameSource.
std::string SystemComputerName();
