// Dragging a window by a strip of its own.
#include "app/tools/win/WindowDrag.h"

void TWindowDrag::Attach(TForm* form, TWinControl* strip, std::initializer_list<TControl*> parts) {
  FForm = form;
  FStrip = strip;
  auto attach = [this](TControl* c) {
    c->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) { Down(button); };
    c->OnMouseMove = [this](TObject*, TShiftState, int, int) { Move(); };
    c->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Up(); };
  };
  attach(strip);
  for (TControl* c : parts) attach(c);
}

void TWindowDrag::Down(TMouseButton button) {
  if (button != mbLeft) return;
  POINT p;
  ::GetCursorPos(&p);
  FDragStart = TPoint(p.x, p.y);
  FStartPlace = TPoint(FForm->GetLeft(), FForm->GetTop());
  FDragging = true;
  ::SetCapture(FStrip->GetHandle());
}

void TWindowDrag::Move() {
  if (!FDragging) return;
  POINT p;
  ::GetCursorPos(&p);
  FForm->SetBounds(FStartPlace.X + p.x - FDragStart.X, FStartPlace.Y + p.y - FDragStart.Y, FForm->GetWidth(),
                   FForm->GetHeight());
}

void TWindowDrag::Up() {
  if (!FDragging) return;
  FDragging = false;
  ::ReleaseCapture();
}
