// The editing control's window on a frameless form at a fixed place on the
// screen, with helpers that send it real mouse and keyboard messages and
// find the pixel of a text cell.
#pragma once

#include "editor/win/EditWindow.h"
#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

class TEditTestForm : public TForm {
public:
  explicit TEditTestForm(TComponent* owner) : TForm(owner) {
    SetCaption("Editor test");
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 480, 360);
    Editor = new TktEditWindow(this);
    Editor->SetName("Editor");
    Editor->SetAlign(alClient);
    Editor->SetParent(this);
  }
  TktEditWindow* Editor;
};

class EditWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TEditTestForm(Application);
    Edit = Form->Editor->GetEdit();
    Form->Show();
    ::SetForegroundWindow(Form->GetHandle());
    Form->Editor->SetFocus();
    ::UpdateWindow(Form->GetHandle());
    Application->ProcessMessages();
  }
  void TearDown() override {
    delete Form;
    Application->ProcessMessages();
  }

  HWND Wnd() const { return Form->Editor->GetHandle(); }
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(Wnd(), msg, wParam, lParam);
  }
  void SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    Edit->SetText(text);
    Application->ProcessMessages();
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> r;
    for (int i = 1; i <= Edit->GetLineCount(); ++i) r.emplace_back(Edit->LineText(i));
    return r;
  }

  // A client point just right of the left edge of cell (column, line): a
  // press there puts the caret before that column.
  TPoint CellPoint(int column, int line) const {
    const TPoint p = Edit->RowColumnToPixels(TPoint(column, line));
    return TPoint(p.X + 1, p.Y + Edit->GetLineHeight() / 2);
  }
  static LPARAM Pos(TPoint p) { return MAKELPARAM(p.X, p.Y); }

  void Press(TPoint p, WPARAM keys = 0) { Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, Pos(p)); }
  void MoveHeld(TPoint p, WPARAM keys = 0) { Send(WM_MOUSEMOVE, MK_LBUTTON | keys, Pos(p)); }
  void Release(TPoint p, WPARAM keys = 0) { Send(WM_LBUTTONUP, keys, Pos(p)); }
  void Click(TPoint p, WPARAM keys = 0) {
    Press(p, keys);
    Release(p, keys);
  }

  // A key typed as the keyboard delivers it (see PostKey).
  void Key(WORD vk, TShiftState mods = TShiftState()) { PostKey(Wnd(), vk, mods); }
  // Text typed key by key (Shift where the layout needs it).
  void Type(const std::string& text) { PostText(Wnd(), text); }

  TEditTestForm* Form = nullptr;
  TktCustomEdit* Edit = nullptr;
};

inline std::ostream& operator<<(std::ostream& os, const TPoint& p) {
  return os << "(" << p.X << ", " << p.Y << ")";
}
