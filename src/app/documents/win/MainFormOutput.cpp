// TMainForm's export and print commands.
#include "app/output/ExportRules.h"
#include "app/output/PrintOptions.h"
#include "app/win/DataWin.h"
#include "app/documents/win/MainForm.h"
#include "app/output/win/PrintDlg.h"
#include "editor/HtmlExport.h"
#include "editor/RtfExport.h"
#include "editor/win/PrintDevice.h"
#include "platform/win/Application.h"
#include "platform/win/Dialogs.h"
#include "platform/win/Printers.h"

void TMainForm::aFileExportExecute() {
  // The menu parent: it is enabled only for a document that can export.
  for (const char* name : {"aFileExportToHTML", "aFileExportToRTF"}) SetActionEnabled(name, true);
}

std::vector<std::string> TMainForm::OpenDocumentFiles() const {
  std::vector<std::string> names;
  for (const auto& [number, views] : FViews)
    if (views.Edit) names.push_back(views.Edit->GetEdit()->FileName);
  return names;
}

void TMainForm::ExportCurrent(bool html) {
  TktCustomEdit* edit = FDocs.CurrentEditor();
  if (!edit || !FDocs.TextViewVisible() || !FData) return;
  try {
    // A highlighter that cannot export fails here, before the dialog.
    CheckExportable(edit->GetHighLighter());
    TSaveDialog* dialog = DataSaveDialog(FData);
    if (!dialog || !dialog->Execute()) return;
    const std::string target = dialog->GetFileName();
    if (IsOpenDocumentFile(target, OpenDocumentFiles())) {
      ShowMessage(ExportOverOpenDocumentText(target));
      return;
    }
    TComponent* exporter = html ? static_cast<TComponent*>(FData->HtmlExport) : FData->RtfExport;
    edit->ExportToFile(true, target, exporter);
  } catch (const Exception& e) {
    Application->ShowException(e);
  }
}

void TMainForm::aFilePrintExecute() {
  TktCustomEdit* edit = FDocs.CurrentEditor();
  if (!edit || !PrintDlg) return;
  PrintDlg->SelectionFlag = edit->SelAvail();
  if (PrintDlg->ShowModal() == mrCancel) return;
  try {
    const TPrintDocumentInfo info{edit->FileName, edit->GetHighLighter() != nullptr, edit->GetFont()};
    const TktPrintOptions options = BuildPrintOptions(PrintDlg->Values(), info);
    const TFontData font = PrintFontFor(edit->GetFont());
    // The printer the dialog shows, never a fallback the user did not see.
    const std::string printer = Printer()->GetPrinterName();
    if (printer.empty()) throw EPrinter("Printer selected is not valid");
    TktPrinterDevice device(printer, Printer()->GetDevMode());
    edit->Print(device, options, &font);
  } catch (const Exception& e) {
    Application->ShowException(e);
  }
}

void TMainForm::aFilePrinterSetup() {
  if (!PrintDlg) return;
  try {
    PrintDlg->PrinterSetupDialog->Execute();
  } catch (const Exception& e) {
    Application->ShowException(e);
  }
}
