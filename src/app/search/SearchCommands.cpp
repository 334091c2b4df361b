// The find, replace and hex-search commands' portable rules.
#include "app/search/SearchCommands.h"

#include "editor/CustomEdit.h"
#include "hexedit/HexEditor.h"
#include "platform/SysUtils.h"

namespace {

uint8_t DialogBits(const TSearchDialogValues& v) {
  uint8_t o = 0;
  if (v.CaseSensitive) o |= ktsoMatchCase;
  if (v.WholeWords) o |= ktsoWholeWord;
  if (v.Direction == 1) o |= ktsoBackwards;
  if (v.Scope == 1) o |= ktsoSelectedOnly;
  if (v.Origin == 1) o |= ktsoEntireScope;
  return o;
}

}  // namespace

uint8_t FindOptions(const TSearchDialogValues& v) { return DialogBits(v) | ktsoPrompt; }

uint8_t ReplaceOptions(const TSearchDialogValues& v, bool replaceAll) {
  uint8_t o = DialogBits(v) | ktsoReplace;
  if (replaceAll) o |= ktsoReplaceAll;
  if (v.Prompt) o |= ktsoPrompt;
  return o;
}

uint8_t FindAllOptions(const TSearchDialogValues& v) {
  uint8_t o = ktsoEntireScope;
  if (v.CaseSensitive) o |= ktsoMatchCase;
  if (v.WholeWords) o |= ktsoWholeWord;
  return o;
}

std::string NotFoundMessage(const std::string& searchText) {
  return "Search string '" + searchText + "' not found";
}

std::string WordAtCaret(TktCustomEdit& edit) {
  const TPoint caret = edit.GetCaretXY();
  const TPoint anchor = edit.GetBlockAnchor();
  const TPoint moving = edit.GetBlockMovingEnd();
  const int top = edit.GetTopLine();
  std::string word;
  edit.BeginUpdate();
  try {
    edit.SetBlockBegin(caret);
    edit.SetWordBlock(caret);
    word = edit.GetSelText();
    // Back as it was: the selection's two ends, the caret and the view.
    edit.SetCaretXY(caret);
    edit.SetBlockBegin(anchor);
    edit.SetBlockEnd(moving);
    edit.SetTopLine(top);
  } catch (...) {
    edit.EndUpdate();
    throw;
  }
  edit.EndUpdate();
  return word;
}

int HexSearch(THexEditor& hex, const std::string& bytes, bool caseSensitive, bool entireScope) {
  if (bytes.empty()) return -1;
  const int size = hex.GetDataSize();
  const int start = entireScope ? 0 : hex.GetCursorPosition() + 1;
  const int found = hex.Find(bytes.data(), int(bytes.size()), start, size, !caseSensitive, false);
  if (found >= 0) hex.Seek(found, 0, false);
  return found;
}
