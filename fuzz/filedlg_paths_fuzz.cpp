// Names typed into the open dialog and paths given to the folder tree,
// one per line of hostile bytes. A typed name splits into a folder and a
// name that give the text back, and only a drive or a "\\" start moves the
// tree; a listed name and type give the file name back; the name chosen in
// a listing equals the typed one. A path looked up in a small tree selects
// a node whose own path starts the given one, or none, and every redraw
// lock taken on the way is given back.
#include "FuzzCheck.h"
#include "ScriptedNamespace.h"
#include "app/documents/FileDlgRules.h"
#include "platform/SysUtils.h"

namespace {

void CheckTypedName(const std::string& text) {
  const TTypedName typed = ParseTypedName(text);
  FUZZ_CHECK(typed.Name.find_first_of("\\/:") == std::string::npos, "a name without separators: " + text);
  FUZZ_CHECK(text.size() >= typed.Name.size() && text.compare(text.size() - typed.Name.size(), std::string::npos,
                                                              typed.Name) == 0,
             "the text ends in the name: " + text);
  const std::string before = text.substr(0, text.size() - typed.Name.size());
  const char d = text.empty() ? 0 : text[0];
  const bool drive = text.size() >= 2 && text[1] == ':' && ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z'));
  const bool unc = text.rfind("\\\\", 0) == 0;
  FUZZ_CHECK(typed.MovesTree == (drive || unc), "only a drive or a network path moves the tree: " + text);
  if (typed.MovesTree) {
    const char last = typed.Folder.empty() ? 0 : typed.Folder.back();
    FUZZ_CHECK(last == '\\' || last == '/', "a folder ending in its separator: " + text);
    FUZZ_CHECK(typed.Folder == before || typed.Folder == before + "\\", "the folder is what precedes the name: " + text);
  } else {
    FUZZ_CHECK(typed.Folder.empty(), "a bare name has no folder: " + text);
  }

  const TFileNameSplit split = SplitListedName(typed.Name);
  const std::string back = split.Name.size() == typed.Name.size() ? split.Name : split.Name + "." + split.Ext;
  FUZZ_CHECK(AnsiSameText(back, typed.Name) && back.size() == typed.Name.size(),
             "the listed name and type give the name back: " + typed.Name);
  FUZZ_CHECK(split.Ext.find('.') == std::string::npos, "a type without dots: " + typed.Name);

  const std::vector<std::string> real = {"file.pas", "file.txt", "README", "a.b.txt", typed.Name};
  std::vector<std::string> listed;
  for (const std::string& r : real) listed.push_back(SplitListedName(r).Name);
  const int index = MatchTypedName(typed.Name, real, listed);
  FUZZ_CHECK(index >= 0 && index < int(real.size()), "the typed name is in the listing: " + typed.Name);
  FUZZ_CHECK(AnsiSameText(real[size_t(index)], typed.Name), "the file of the typed name: " + typed.Name);
}

void CheckTreePath(Fixture& f, const std::string& path) {
  TFolderNode* node = f.model.SelectPath(path);
  FUZZ_CHECK(f.view.depth == 0, "every redraw lock is given back: " + path);
  if (!node) return;
  FUZZ_CHECK(f.model.Selected() == node, "the node found is selected: " + path);
  // The node's own path: the network node's "\\" has no folder path.
  std::string own = AnsiLowerCase(node->Path);
  if (!own.empty() && own.back() == '\\') own.pop_back();
  FUZZ_CHECK(!own.empty() && AnsiLowerCase(path).rfind(own, 0) == 0,
             "the node's path starts the path: " + own + " for " + path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  Fixture f;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    CheckTypedName(line);
    CheckTreePath(f, line);
    start = end + 1;
  }
  return 0;
}
