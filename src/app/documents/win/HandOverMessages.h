// What a second start and the running main window say to each other: the
// question that finds the running instance and its answer, the file handed
// over, and the request to come to the front. The sender needs only these,
// not the window's form.
#pragma once

#include "platform/win/WinApi.h"

// "VornActive": asked of every candidate window by a second start.
UINT InstanceCheckMessage();
constexpr LRESULT kInstanceAnswer = 3228289;
// wParam: a global atom holding the file's name.
constexpr UINT kHandOverFileMessage = WM_USER + 1;
constexpr UINT kRestoreInstanceMessage = WM_USER + 3;
