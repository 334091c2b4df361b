// The editing control on a headless window, driven by commands: running a
// command, typing, reading the text back, and undoing everything. A table
// of double-byte lead bytes (0x81..0x9F, as in code page 932) can stand in
// for the system's while a test runs.
#pragma once

#include <string>
#include <vector>

#include "EditFixture.h"
#include "editor/CharClasses.h"

class CommandFixture : public EditFixture {
protected:
  void TearDown() override {
    if (FDoubleByte) SetCharClassSource(FPreviousClasses);
    EditFixture::TearDown();
  }

  void Cmd(TktEditorCommand command, char c = '\0', void* data = nullptr) {
    Edit->ExecuteCommand(command, c, data);
  }
  void Type(const std::string& text) {
    for (char c : text) Edit->KeyPress(c);
  }
  void Caret(int x, int y) { Edit->SetCaretXY(TPoint(x, y)); }
  void UndoAll() {
    while (Edit->CanUndo()) Edit->Undo();
  }
  void RedoAll() {
    while (Edit->CanRedo()) Edit->Redo();
  }
  std::vector<TktChangeReason> Kinds() const {
    std::vector<TktChangeReason> kinds;
    const TUndoList& undo = Edit->GetUndoList();
    for (int i = undo.GetCount() - 1; i >= 0; --i) kinds.push_back(undo.Peek(i)->Reason);
    return kinds;
  }
  // Bytes 0x81..0x9F lead double-byte characters until the test ends.
  void UseDoubleByteCodePage() {
    FDoubleByte = true;
    FPreviousClasses = SetCharClassSource([](TCharClassTable& table) {
      Cp1252CharClasses(table);
      for (int b = 0x81; b <= 0x9F; ++b) table.LeadByte[b] = true;
    });
  }

private:
  bool FDoubleByte = false;
  TCharClassSource FPreviousClasses = nullptr;
};
