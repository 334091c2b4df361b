// The kit's two cursors, drawn in the program's resources: the hand of links
// and drag sources, and the hand that drags. They are screen cursors by
// number, so any control takes them with SetCursor.
#pragma once

#include "platform/win/Controls.h"

constexpr TCursor crHand = 14000;      // the resource "RX_HANDCUR"
constexpr TCursor crDragHand = 14001;  // the resource "RX_DRAGCUR"

// Registers both with the screen there is and with every screen made later;
// the program calls it once at start-up.
void UseKitCursors();
