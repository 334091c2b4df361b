// The kit's window routines that draw nothing: centring, a modal loop's
// WM_QUIT passed on, the thread's active window, the missing-resource error
// and the four-digit-year flag of the user's date format.
#pragma once

#include <string>

#include "platform/win/Forms.h"

// Raises EResNotFound "Resource %s not found" (the number when id is one).
[[noreturn]] void ResourceNotFound(const char* id);

// A bitmap resource of the program by name (or number); the caller owns it.
// Raises the missing-resource error when there is none.
HBITMAP LoadResourceBitmap(const char* id);
// Draws a bitmap whose lower-left pixel gives the transparent colour.
void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y);
// Width and height of a bitmap; 0 x 0 for none.
TSize BitmapSize(HBITMAP bitmap);

// A control in the middle of its parent; a form in the middle of the screen,
// or of the main form when there is one and it is not this form.
void CenterControl(TControl* control);
void CenterForm(TForm* form, bool onMainForm);
// Moves a rectangle inside the screen's width and height.
void KeepOnScreen(int& left, int& top, int width, int height);
void CenterWindow(HWND wnd);

// Takes a pending WM_QUIT for the window's thread off the queue and posts it
// again, so an enclosing modal loop ends.
void KillMessage(HWND wnd, UINT msg);
// True when the active window belongs to this thread.
bool IsForegroundTask();

// Whether the user's short date format shows four-digit years; read once.
bool FourDigitYear();
