// TMenuBar: a main menu shown as a row of flat tool-bar buttons with
// captions, one per top-level item, each dropping down its item's sub-menu.
// The buttons are made from the menu and never stored with the form.
#pragma once

#include "platform/win/ToolWin.h"

class TMainMenu;

class TMenuBar : public TToolBar {
public:
  explicit TMenuBar(TComponent* owner);
  ~TMenuBar() override;

  TMainMenu* GetMenu() const { return FMenu; }
  // Makes one button per top-level item (nil: none).
  void SetMenu(TMainMenu* menu);

  void Notification(TComponent* component, TOperation operation) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

private:
  void FreeButtons();
  TMainMenu* FMenu = nullptr;
};
