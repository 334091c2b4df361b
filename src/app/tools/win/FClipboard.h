// TFClipboard: the clipboard history window. A small stay-on-top window
// without a caption, moved by dragging its bar, that shows the clipboard
// through the viewer and keeps the last ten texts copied in any program;
// Back and Forward put an older or newer one back on the clipboard. It is
// made hidden at start-up, so the history follows the clipboard from then on.
#pragma once

#include <memory>

#include "app/tools/ClipboardHistory.h"
#include "kit/win/ClipView.h"
#include "kit/win/Placemnt.h"
#include "kit/win/RxCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"

class TFClipboard : public TForm {
public:
  explicit TFClipboard(TComponent* owner);
  ~TFClipboard() override;

  TClipboardHistory& History() { return *FHistory; }

  void ClipboardViewerChange(TObject* sender);
  void BackClick(TObject* sender);
  void ForwardClick(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void BarMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void BarMouseMove(TObject* sender, TShiftState shift, int x, int y);
  void BarMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  bool Dragging() const { return FDragging; }

  TPanel* Bar = nullptr;
  TRxSpeedButton* Back = nullptr;
  TRxSpeedButton* Forward = nullptr;
  TRxSpeedButton* SpeedButton1 = nullptr;
  TClipboardViewer* ClipboardViewer = nullptr;
  TFormStorage* FormStorage = nullptr;

protected:
  void KeyDown(uint16_t& key, TShiftState shift) override;

private:
  void FormCreate();
  void UpdateButtons();
  void EndDrag();

  std::unique_ptr<IClipboardText> FClipboardText;
  std::unique_ptr<TClipboardHistory> FHistory;
  bool FDragging = false;
  POINT FDragStart{};
};

// The program's clipboard history window (null until made).
extern TFClipboard* FClipboard;
