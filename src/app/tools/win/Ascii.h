// TASCII, the ASCII table: the 256 codes of a chosen font and character
// set in a 16 x 16 grid with hexadecimal headers, a magnifier that shows
// the character under the mouse, its codes in the status bar, and a double
// click that inserts the character into the current document. Made at
// start-up (shown by the main window's command with Show()), or the only
// window of the program in its "/a" mode (StandAlone).
#pragma once

#include <functional>
#include <string>

#include "kit/win/AppEvent.h"
#include "kit/win/Placemnt.h"
#include "kit/win/RxCombos.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/GridWindow.h"
#include "platform/win/HintWindow.h"
#include "platform/win/StdCtrls.h"

class TktCustomEdit;

class TASCII : public TForm {
public:
  explicit TASCII(TComponent* owner);
  ~TASCII() override;

  // Closing the window ends the program (the "/a" mode) instead of hiding it.
  bool StandAlone = false;
  // The editor a double click inserts into: the current document's, and
  // only while its text view shows; null otherwise (the main window sets
  // this; alone there is none).
  std::function<TktCustomEdit*()> TargetEditor;

  TStringGridWindow* Grid = nullptr;
  TPanel* Panel = nullptr;
  TFontComboBox* FontBox = nullptr;
  TCheckBox* Bold = nullptr;
  TCheckBox* Italic = nullptr;
  TComboBox* Charset = nullptr;
  TStatusBar* StatusBar = nullptr;
  THintWindow* Magnifier = nullptr;  // while the window is shown
  TAppEvents* AppEvents = nullptr;
  TFormStorage* FormStorage = nullptr;

  // The grid's mouse rule at grid point (x, y): shows or hides the magnifier.
  void GridMouseAt(int x, int y);
  // Inserts the selected cell's character (the double click).
  void InsertSelected();
  void HideMagnifier();
  // Takes font as the table's choice: its face in the font list, its style
  // in the boxes, its character set in the list, and grid and magnifier
  // drawn in it.
  void UseFont(const TFontData& font);

private:
  void FormShow(TObject*);
  void FormActivate(TObject*);
  void FormClose(TObject*, TCloseAction& action);
  void FormKeyDown(TObject*, uint16_t& key, TShiftState);
  void FontChange(TObject*);
  void CharsetChange(TObject*);
  void GridMouseMove(TObject*, TShiftState, int x, int y);
  void GridDblClick(TObject*);
  void ApplyFont();
  void CreateWnd() override;
  // Runs a handler, reporting what it raises with its place number.
  template <class F> void Guard(int place, F&& f);
};

extern TASCII* ASCII;
