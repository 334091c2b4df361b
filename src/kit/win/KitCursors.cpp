#include "kit/win/KitCursors.h"

#include "platform/win/Forms.h"

namespace {

// A program without the resources keeps the arrow for both numbers (the
// screen's answer for a number it does not know).
void RegisterKitCursors(TScreen& screen) {
  const HINSTANCE program = ::GetModuleHandleA(nullptr);
  if (HCURSOR hand = ::LoadCursorA(program, "RX_HANDCUR")) screen.SetCursors(crHand, hand);
  if (HCURSOR drag = ::LoadCursorA(program, "RX_DRAGCUR")) screen.SetCursors(crDragHand, drag);
}

}  // namespace

void UseKitCursors() { TScreen::AddCreateHandler(&RegisterKitCursors); }
