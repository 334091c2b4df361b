// TClipboardViewer: a scrolling box in the system's clipboard-viewer chain
// that shows what the clipboard holds, text in a read-only memo, pictures
// and icons in an image, a palette in a colour grid. Another program's data
// never makes a component here: a component on the clipboard shows as an
// unknown format. A hidden viewer only marks its view stale and builds it
// when shown, so a big copy costs nothing while nobody looks; OnChange
// fires at once either way.
#pragma once

#include <vector>

#include "kit/ClipFormats.h"
#include "kit/PaletteGeometry.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/GridWindow.h"
#include "platform/win/StdCtrls.h"

// The picture and component formats of our platform layer, and the icon
// format.
TClipFormatIds ClipboardFormatIds();

class TPaletteGrid : public TDrawGridWindow {
public:
  explicit TPaletteGrid(TComponent* owner);
  // Takes a copy of the entries (at most 256) of a logical palette.
  void SetPalette(HPALETTE palette);
  int GetEntryCount() const { return int(FEntries.size()); }
  const TPaletteGeometry& GetGeometry() const { return FGeometry; }

protected:
  void WndProc(TMessage& msg) override;

private:
  void Layout();
  void DrawCell(ICanvas& canvas, int col, int row, const TRect& rect, TGridDrawState state);
  std::vector<PALETTEENTRY> FEntries;
  TPaletteGeometry FGeometry;
};

class TCustomClipboardViewer : public TScrollBox {
public:
  explicit TCustomClipboardViewer(TComponent* owner);
  ~TCustomClipboardViewer() override;

  TClipboardViewFormat GetViewFormat() const { return FViewFormat; }
  void SetViewFormat(TClipboardViewFormat format);
  bool ValidFormat(TClipboardViewFormat format);
  // The view now shown (a memo, an image or a palette grid), or null.
  TControl* GetView() const { return FView; }
  // The format the view shows.
  TClipboardViewFormat GetShownFormat() const { return FShownFormat; }
  bool GetChained() const { return FChained; }
  HWND GetNextViewer() const { return FNextWindow; }
  // Builds the view when it went stale while hidden.
  void UpdateView();

  TNotifyEvent OnChange;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;

private:
  void Join();
  void Leave();
  void Forward(UINT msg, WPARAM wParam, LPARAM lParam);
  void DrawClipboard();
  void Changed();
  void Rebuild();
  void ShowMemo(TClipboardViewFormat format, bool empty);
  void ShowImage(TClipboardViewFormat format);
  void ShowPalette();
  void CentreView();
  bool Showing();

  HWND FNextWindow = nullptr;
  bool FChained = false;
  TControl* FView = nullptr;
  TClipboardViewFormat FViewFormat = cvDefault;
  TClipboardViewFormat FShownFormat = cvDefault;
  bool FInNotice = false;
  bool FLookAgain = false;
  bool FStale = true;
};

class TClipboardViewer : public TCustomClipboardViewer {
public:
  explicit TClipboardViewer(TComponent* owner) : TCustomClipboardViewer(owner) {}
};
