// The editor's private clipboard block (a mode byte, then the text up to a
// NUL) as another program may have left it, pasted into a document at a
// caret the input chooses. Properties: the paste never fails, and undoing
// it gives back exactly the document that was there.
#include "FuzzCheck.h"
#include "editor/CustomEdit.h"
#include "editor/RecordingEditHost.h"

namespace {

std::vector<std::string> LinesOf(const TktCustomEdit& edit) {
  std::vector<std::string> lines;
  for (int i = 1; i <= edit.GetLineCount(); ++i) lines.emplace_back(edit.LineText(i));
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3 || size > 4096) return 0;
  TktRecordingEditHost host;
  TktCustomEdit edit(nullptr);
  edit.SetHost(&host);
  edit.SetText("alpha beta\r\n  gamma\r\n\r\ndelta epsilon\r\n");
  const std::vector<std::string> original = LinesOf(edit);
  // The first two bytes place the caret, also past a line's end.
  edit.SetOptions(edit.GetOptions() + kteoScrollPastEol);
  edit.SetCaretXY(TPoint(1 + data[0] % 20, 1 + data[1] % 6));
  host.Clipboard[kcfBlock] = std::string(reinterpret_cast<const char*>(data) + 2, size - 2);
  host.Clipboard[kcfText] = "plain";
  try {
    edit.ExecuteCommand(ecPaste, 0, nullptr);
  } catch (const Exception& e) {
    FUZZ_CHECK(false, "the paste raised: " + e.Message());
  }
  while (edit.GetUndoList().GetCount() > 0) edit.ExecuteCommand(ecUndo, 0, nullptr);
  FUZZ_CHECK(LinesOf(edit) == original, "undoing the paste did not restore the document");
  return 0;
}
