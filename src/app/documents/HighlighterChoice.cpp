#include "app/documents/HighlighterChoice.h"

#include "app/settings/FileTypes.h"
#include "editor/Highlighter.h"
#include "platform/SysUtils.h"

TktCustomHighLighter* FindHighlighter(const TComponent* data, const std::string& name) {
  if (!data || name.empty()) return nullptr;
  return dynamic_cast<TktCustomHighLighter*>(data->FindComponent(name));
}

void CopyScriptColours(const TComponent* data) {
  static const struct {
    const char* From;
    const char* To;
    int Tint;
  } pairs[] = {
      {"JScript", "JScript1", kJScriptTint},
      {"VbScript", "VbScript1", kVbScriptTint},
      {"VisualBasic", "VisualBasic1", kVisualBasicTint},
  };
  for (const auto& p : pairs) {
    TktCustomHighLighter* from = FindHighlighter(data, p.From);
    TktCustomHighLighter* to = FindHighlighter(data, p.To);
    if (!from || !to) continue;
    // Both are of one class, so their attributes stand in the same order.
    const int count = std::min(from->GetAttribCount(), to->GetAttribCount());
    for (int i = 0; i < count; ++i) to->GetAttribute(i)->Assign(from->GetAttribute(i));
    for (int i = 0; i < to->GetAttribCount(); ++i) to->GetAttribute(i)->SetBackground(p.Tint);
  }
}

TktCustomHighLighter* HighlighterForFile(const TComponent* data, const std::string& fileName) {
  std::string ext = LowerCase(ExtractFileExt(fileName));
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  CopyScriptColours(data);
  if (ext.empty()) return nullptr;
  return FindHighlighter(data, GetHighlighterByExtension(ext));
}
