// TRollUp, a roll-up: a small always-on-top window holding a snippet of text
// bound to a hot key. Its title strip shows the hot key's text (RollCaption)
// and a close button; dragging the strip moves the window. A double click
// on the text or the title, the pop-up's "Insert Context" and the hot key
// (an action of the main window) insert the snippet into the current
// document; the window asks its owner to do it through OnInsert, and to
// let it go (close button, "Release") through OnRelease.
#pragma once

// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/win/EditWindow.h"

#include <functional>
#include <string>

#include "app/tools/win/WindowDrag.h"
#include "kit/win/RxCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"
#include "platform/win/StdCtrls.h"

class TRollUp : public TForm {
public:
  // number: N of the window's name "r"+N; mainForm: the window whose right
  // edge minimised roll-ups stack along.
  TRollUp(TComponent* owner, int number, TForm* mainForm);

  TPanel* TitlePanel;
  TLabel* RollCaption;
  TRxSpeedButton* SpeedButton1;
  TktEditWindow* Memo;
  TPopupMenu* PopupMenu;

  int GetNumber() const { return int(GetTag()); }
  std::string GetHotKeyText() const { return RollCaption->GetCaption(); }
  std::string GetSnippet() const { return Memo->GetEdit()->GetText(); }

  // "Open": 200 by 100 pixels. "Minimize": 40 by 20, stacked along the main
  // window's right edge by the roll-up's number.
  void OpenClick(TObject* sender);
  void MinimizeClick(TObject* sender);

  std::function<void(TRollUp& rollUp)> OnInsert;
  std::function<void(TRollUp& rollUp)> OnRelease;

  // Shows the scroll bars the snippet needs at the window's size, and only
  // those (run after every size change and when the text is set).
  void FitScrollBars();

protected:
  void CreateWnd() override;
  void Resize() override;
  void WndProc(TMessage& msg) override;

private:
  void InsertClick(TObject* sender);
  void ReleaseClick(TObject* sender);

  TForm* FMainForm;
  TWindowDrag FDrag;
  bool FFitPending = false;
};
