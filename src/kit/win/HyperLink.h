// THyperLink: a label that acts as a link on a web page: underlined,
// coloured by state (normal, under the mouse, pressed), a hand cursor, its
// target shown in a status-bar panel while the mouse is over it, and a left
// click that opens the target through the shell.
#pragma once

#include "platform/win/StdCtrls.h"

class TStatusBar;

// The label's cursor number; the program's hand cursor is registered under it.
constexpr TCursor crHyperLink = -21;

class THyperLink : public TLabel {
public:
  explicit THyperLink(TComponent* owner);
  ~THyperLink() override;

  const std::string& GetHREF() const { return FHREF; }
  void SetHREF(const std::string& v) { FHREF = v; }
  TColor GetNotPressedColor() const { return FNotPressedColor; }
  void SetNotPressedColor(TColor v);
  TColor GetOverColor() const { return FOverColor; }
  void SetOverColor(TColor v);
  TColor GetPressedColor() const { return FPressedColor; }
  void SetPressedColor(TColor v) { FPressedColor = v; }
  TStatusBar* GetStatusBar() const { return FStatusBar; }
  void SetStatusBar(TStatusBar* bar);
  int GetStatusPanelNo() const { return FStatusPanelNo; }
  void SetStatusPanelNo(int v) { FStatusPanelNo = v; }

  void SetText(const std::string& text) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  void FontChanged() override;

private:
  void FitToText();
  void ShowColor(TColor color);

  std::string FHREF;
  TColor FNotPressedColor = clBlue;
  TColor FOverColor = clGreen;
  TColor FPressedColor = clRed;
  TStatusBar* FStatusBar = nullptr;
  int FStatusPanelNo = 0;
  bool FFitToText = true;
  bool FPressedInside = false;
  bool FPressed = false;
  bool FOver = false;
  bool FSettingColor = false;
  // Set false when the label goes: a handler run while messages are pumped
  // after a click may free it.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
