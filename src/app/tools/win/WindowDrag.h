// Moving a window that has no system caption by dragging a strip of it: the
// strip keeps the mouse while the button is down, and the window follows
// the cursor from where the drag began.
#pragma once

#include <initializer_list>

#include "platform/win/Forms.h"

class TWindowDrag {
public:
  // Dragging strip or any control on it (given in parts) moves form.
  void Attach(TForm* form, TWinControl* strip, std::initializer_list<TControl*> parts);

private:
  void Down(TMouseButton button);
  void Move();
  void Up();

  TForm* FForm = nullptr;
  TWinControl* FStrip = nullptr;
  bool FDragging = false;
  TPoint FDragStart;   // the cursor where dragging began, on the screen
  TPoint FStartPlace;  // the window's top left then
};
