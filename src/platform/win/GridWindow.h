// The grids' window: TGridWindow owns a grid model (platform/Grids.h) and is
// its host. It turns the window's messages into the model's entry points
// (paint, size, keys, mouse, wheel, scroll bars with 32-bit positions, focus)
// and shows the in-place editor over the current cell when the model allows
// editing: F2, Enter, a typed character or a double click opens it; Enter or
// leaving it writes the text back through the model's SetEditText, Esc
// drops it. TDrawGridWindow and TStringGridWindow make the window with a
// TDrawGrid or a TStringGrid inside.
#pragma once

#include <memory>
#include <string>

#include "platform/Grids.h"
#include "platform/win/Controls.h"

class TGridInplaceEdit;

class TGridWindow : public TCustomControl, public IGridHost {
public:
  TGridWindow(TComponent* owner, std::unique_ptr<TCustomGrid> grid);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TGridWindow() override;

  TCustomGrid* GetGrid() const { return FGrid.get(); }

  // A single border (the client edge) or none; before or after the window.
  bool GetBorder() const { return FBorder; }
  void SetBorder(bool value);
  void SetColor(TColor color) override;

  // The in-place editor (made on first use).
  void ShowEditor();
  void HideEditor();
  bool GetEditorMode() const;
  // The editor's window, or null while none was made.
  TWinControl* GetInplaceEditor() const;

  // --- IGridHost ---
  void InvalidateRect(const TRect& rect) override;
  void SetScrollBar(TGridScrollBar bar, int min, int max, int page, int pos) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;

private:
  friend class TGridInplaceEdit;
  void ScrollMessage(TMessage& msg, bool vertical);
  void UpdateClientSize();
  // Writes the editor's text into the cell it edits.
  void CommitEditor();
  void PlaceEditor();

  std::unique_ptr<TCustomGrid> FGrid;
  TGridInplaceEdit* FEditor = nullptr;  // owned as a component
  bool FBorder = true;
  int FWheelRest = 0;
};

class TDrawGridWindow : public TGridWindow {
public:
  explicit TDrawGridWindow(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  TDrawGrid* GetDrawGrid() const { return static_cast<TDrawGrid*>(GetGrid()); }
};

class TStringGridWindow : public TGridWindow {
public:
  explicit TStringGridWindow(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  TStringGrid* GetStringGrid() const { return static_cast<TStringGrid*>(GetGrid()); }
};
