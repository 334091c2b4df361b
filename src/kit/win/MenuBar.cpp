#include "kit/win/MenuBar.h"

#include "platform/TypInfo.h"
#include "platform/win/Menus.h"

TMenuBar::TMenuBar(TComponent* owner) : TToolBar(owner) {
  SetFlat(true);
  SetShowCaptions(true);
  SetEdgeBorders(0);
}

TMenuBar::~TMenuBar() {
  if (FMenu) FMenu->RemoveFreeNotification(this);
}

void TMenuBar::FreeButtons() {
  for (int i = GetButtonCount() - 1; i >= 0; --i) delete GetButton(i);
}

void TMenuBar::SetMenu(TMainMenu* menu) {
  if (menu == FMenu) return;
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    FreeButtons();
  }
  FMenu = menu;
  if (!menu) return;
  menu->FreeNotification(this);
  TMenuItem* items = menu->GetItems();
  for (int i = GetButtonCount(); i < items->GetCount(); ++i) {
    auto* button = new TToolButton(this);
    button->SetAutoSize(true);
    button->SetGrouped(true);
    button->SetToolBar(this);
  }
  for (int i = 0; i < items->GetCount(); ++i) GetButton(i)->SetMenuItem(items->GetItem(i));
}

void TMenuBar::Notification(TComponent* component, TOperation operation) {
  TToolBar::Notification(component, operation);
  if (operation == opRemove && component == FMenu) {
    // A freed menu leaves an empty bar.
    FMenu = nullptr;
    FreeButtons();
  }
}

const TClassInfo& TMenuBar::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TMenuBar", &TToolBar::StaticClassInfo());
  return info;
}
const TClassInfo* TMenuBar::ClassInfo() const { return &StaticClassInfo(); }
