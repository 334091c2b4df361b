// The recording window of the hex view's tests.
#include "hexedit/HexRecordingHost.h"

#include <algorithm>

#include "platform/SysUtils.h"

void THexRecordingHost::ClearLog() {
  Calls.clear();
  Invalidated.clear();
  InvalidatedAll = 0;
}

int THexRecordingHost::CountCalls(const std::string& prefix) const {
  return int(std::count_if(Calls.begin(), Calls.end(),
                           [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

void THexRecordingHost::InvalidateRect(const TRect& r) {
  Invalidated.push_back(r);
  Calls.push_back(Format("invalidate %d,%d,%d,%d", r.Left, r.Top, r.Right, r.Bottom));
}

void THexRecordingHost::InvalidateAll() {
  ++InvalidatedAll;
  Calls.push_back("invalidate all");
}

void THexRecordingHost::ScrollWindow(int dx, int dy) {
  Calls.push_back(Format("scroll %d,%d", dx, dy));
}

void THexRecordingHost::SetScrollBar(THexScrollBar bar, int max, int page, int pos) {
  ScrollBars[bar] = {max, page, pos, true};
  Calls.push_back(Format("scrollbar %d %d %d %d", int(bar), max, page, pos));
}

void THexRecordingHost::LockUpdates(bool lock) {
  Locks += lock ? 1 : -1;
  Calls.push_back(lock ? "lock" : "unlock");
}

void THexRecordingHost::CreateCaret(const THexCaretShape& shape) {
  CaretShape = shape;
  CaretCreated = true;
  CaretVisible = false;
  Calls.push_back(Format("create caret %dx%d", shape.Width, shape.Height));
}

void THexRecordingHost::DestroyCaret() {
  CaretCreated = false;
  CaretVisible = false;
  Calls.push_back("destroy caret");
}

void THexRecordingHost::SetCaretPos(int x, int y) {
  CaretPos = {x, y};
  Calls.push_back(Format("caret %d,%d", x, y));
}

void THexRecordingHost::ShowCaret() {
  CaretVisible = CaretCreated;
  Calls.push_back("show caret");
}

void THexRecordingHost::HideCaret() {
  CaretVisible = false;
  Calls.push_back("hide caret");
}

void THexRecordingHost::SetCapture() {
  Captured = true;
  Calls.push_back("capture");
}

void THexRecordingHost::ReleaseCapture() {
  Captured = false;
  Calls.push_back("release capture");
}

void THexRecordingHost::BeginWaitCursor() {
  MaxWaitDepth = std::max(MaxWaitDepth, ++WaitDepth);
  Calls.push_back("wait");
}

void THexRecordingHost::EndWaitCursor() {
  --WaitDepth;
  Calls.push_back("end wait");
}

void THexRecordingHost::PostStateChange() {
  ++PostedStateChanges;
  Calls.push_back("post state change");
}
