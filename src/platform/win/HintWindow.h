// The small pop-up window that shows hints (and the editor's scroll hint):
// it never takes the focus or the mouse, and sizes itself to its text.
#pragma once

#include "platform/win/Controls.h"

class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent* owner);
  // The rectangle (at 0,0) the text needs, wrapped at maxWidth pixels.
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
  // Shows the hint at a screen rectangle (kept on the screen), on top of
  // everything and without activating.
  virtual void ActivateHint(TRect rect, const std::string& hint);
  void ReleaseHandle();
  bool IsHintShowing() const;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void WndProc(TMessage& msg) override;
};
