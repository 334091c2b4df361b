// TMainForm's command that shows the clipboard history window.
#include "app/tools/win/FClipboard.h"
#include "app/documents/win/MainForm.h"
#include "platform/win/Application.h"

void TMainForm::Clipboard1Click() {
  try {
    // The program makes it at start-up; a main window on its own (as in a
    // test) makes it here.
    if (!FClipboard) FClipboard = new TFClipboard(Application);
    ApplyEditorFont();
    FClipboard->Show();
  } catch (const Exception& e) {
    ShowUnexpectedError(2306, e.Message());
  }
}
