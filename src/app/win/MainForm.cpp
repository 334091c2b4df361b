// TMainForm.
#include "app/win/MainForm.h"

#include "editor/win/EditWindow.h"
#include "highlighters/PasSyn.h"

namespace {

// The default look of Pascal text: white paper, navy comments, green
// reserved words, red strings and blue assembler.
void SetDefaultColours(TktPasSyn& hl) {
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    hl.GetAttribute(i)->SetBackground(clWhite);
    hl.GetAttribute(i)->SetForeground(clBlack);
  }
  hl.GetCommentAttri()->SetForeground(clNavy);
  hl.GetKeyAttri()->SetForeground(clGreen);
  hl.GetStringAttri()->SetForeground(clRed);
  hl.GetAsmAttri()->SetForeground(clBlue);
  hl.GetSpaceAttri()->SetForeground(clWhite);
}

}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  SetName("MainForm");
  SetCaption("Tarnquill");
  SetPosition(poDefaultPosOnly);
  SetBounds(0, 0, 800, 600);

  FHighlighter = new TktPasSyn(this);
  FHighlighter->SetName("Pascal");
  SetDefaultColours(*FHighlighter);

  FEditor = new TktEditWindow(this);
  FEditor->SetName("Editor");
  FEditor->SetAlign(alClient);
  FEditor->SetParent(this);
  FEditor->GetEdit()->SetHighLighter(FHighlighter);
  SetActiveControl(FEditor);
}

void TMainForm::OpenFile(const std::string& fileName) {
  TktCustomEdit* edit = FEditor->GetEdit();
  edit->FileName = fileName;
  edit->LoadFromFile();
}
