// The headless window: state kept, every call logged.
#include "editor/RecordingEditHost.h"

namespace {

std::string Ints(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) {
    if (!s.empty()) s += ',';
    s += std::to_string(v);
  }
  return s;
}

}  // namespace

void TktRecordingEditHost::ClearLog() {
  Calls.clear();
  Invalidated.clear();
}

std::vector<std::string> TktRecordingEditHost::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> r;
  for (const std::string& c : Calls)
    if (c.compare(0, prefix.size(), prefix) == 0) r.push_back(c);
  return r;
}

void TktRecordingEditHost::SetFocus() {
  HasFocus = true;
  Log("focus");
}

void TktRecordingEditHost::InvalidateRect(const TRect& rect) {
  Invalidated.push_back(rect);
  Log("invalidate " + Ints({rect.Left, rect.Top, rect.Right, rect.Bottom}));
}

void TktRecordingEditHost::Update() {
  ++Updates;
  Log("update");
}

void TktRecordingEditHost::ScrollWindow(int dx, int dy) { Log("scroll " + Ints({dx, dy})); }

void TktRecordingEditHost::RecreateWindow() { Log("recreate"); }

void TktRecordingEditHost::DragAcceptFiles(bool accept) {
  AcceptsFiles = accept;
  Log(accept ? "acceptfiles on" : "acceptfiles off");
}

void TktRecordingEditHost::SetScrollBar(TktScrollBar bar, int min, int max, int page, int pos) {
  ScrollBars[bar] = TScrollBarState{min, max, page, pos, true};
  Log(std::string(bar == ksbHorizontal ? "hbar " : "vbar ") + Ints({min, max, page, pos}));
}

void TktRecordingEditHost::CreateCaret(int width, int height) {
  CaretCreated = true;
  CaretVisible = false;
  CaretSize = TSize(width, height);
  Log("createcaret " + Ints({width, height}));
}

void TktRecordingEditHost::DestroyCaret() {
  CaretCreated = false;
  CaretVisible = false;
  Log("destroycaret");
}

void TktRecordingEditHost::SetCaretPos(int x, int y) {
  CaretPos = TPoint(x, y);
  Log("caretpos " + Ints({x, y}));
}

void TktRecordingEditHost::ShowCaret() {
  CaretVisible = true;
  Log("showcaret");
}

void TktRecordingEditHost::HideCaret() {
  CaretVisible = false;
  Log("hidecaret");
}

void TktRecordingEditHost::SetImeCompositionPos(int x, int y) { Log("imepos " + Ints({x, y})); }

void TktRecordingEditHost::SetCapture() {
  Captured = true;
  Log("capture");
}

void TktRecordingEditHost::ReleaseCapture() {
  Captured = false;
  Log("releasecapture");
}

void TktRecordingEditHost::BeginDrag() {
  ++DragsBegun;
  Log("begindrag");
}

void TktRecordingEditHost::StartTimer(int id, int intervalMs) {
  Timers[id] = intervalMs;
  Log("starttimer " + Ints({id, intervalMs}));
}

void TktRecordingEditHost::StopTimer(int id) {
  Timers.erase(id);
  Log("stoptimer " + Ints({id}));
}

bool TktRecordingEditHost::ClipboardHasFormat(TktClipboardFormat format) const {
  return Clipboard.count(format) != 0;
}

bool TktRecordingEditHost::GetClipboardData(TktClipboardFormat format, std::string& data) {
  auto it = Clipboard.find(format);
  if (FailClipboardRead || it == Clipboard.end()) return false;
  data = it->second;
  return true;
}

bool TktRecordingEditHost::SetClipboardData(std::string_view text, std::string_view block) {
  Log("setclipboard");
  Clipboard.clear();
  if (FailClipboardWrite) return false;
  Clipboard[kcfText] = std::string(text);
  Clipboard[kcfBlock] = std::string(block);
  return true;
}

bool TktRecordingEditHost::AskYesNo(const std::string& text) {
  Questions.push_back(text);
  Log("ask " + text);
  if (YesNoAnswers.empty()) return false;
  const bool yes = YesNoAnswers.front();
  YesNoAnswers.pop_front();
  return yes;
}

void TktRecordingEditHost::ShowMessage(const std::string& text) {
  Messages.push_back(text);
  Log("message " + text);
}

void TktRecordingEditHost::ShowScrollHint(const std::string& text, TPoint point) {
  HintText = text;
  HintPoint = point;
  HintVisible = true;
  Log("hint " + text);
}

void TktRecordingEditHost::HideScrollHint() {
  HintVisible = false;
  Log("hidehint");
}
