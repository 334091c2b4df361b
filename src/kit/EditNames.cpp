#include "kit/EditNames.h"

#include <algorithm>

std::vector<std::string> CommandLineWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (c == ' ' && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::string FileNameFromText(const std::string& text,
                             const std::function<bool(const std::string&)>& fileExists) {
  if (text.empty() || fileExists(text)) return text;
  const auto words = CommandLineWords(text);
  return words.empty() ? std::string() : words.front();
}

std::string QuoteFileName(const std::string& name) {
  if (name.find(' ') == std::string::npos || (!name.empty() && name[0] == '"')) return name;
  return '"' + name + '"';
}

std::string AppendFolder(const std::string& text, const std::string& folder, bool multipleDirs) {
  if (multipleDirs && !text.empty()) return text + ";" + folder;
  return folder;
}

std::vector<std::string> SplitFolders(const std::string& text) {
  std::vector<std::string> parts;
  size_t from = 0;
  while (from <= text.size()) {
    size_t to = text.find(';', from);
    if (to == std::string::npos) to = text.size();
    if (to > from) parts.push_back(text.substr(from, to - from));
    from = to + 1;
  }
  return parts;
}

TEllipsisGlyph EllipsisGlyph(int buttonWidth) {
  TEllipsisGlyph g;
  g.Width = std::max(buttonWidth - 6, 1);
  g.Gap = std::clamp((g.Width - 6) / 2, 1, 3);
  const int total = 3 * 2 + 2 * g.Gap;
  const int start = (g.Width - total) / 2;
  for (int i = 0; i < 3; ++i) g.Dots[i] = start + i * (2 + g.Gap);
  return g;
}

bool AcceptChosenFolder(const std::string& folder, TSelectDirOpts options,
                        const std::function<bool(const std::string&)>& directoryExists,
                        const std::function<bool(const std::string&)>& askCreate,
                        const std::function<bool(const std::string&)>& create) {
  if (folder.empty()) return false;
  if (directoryExists(folder)) return true;
  if (!options.Contains(sdAllowCreate)) return false;
  if (options.Contains(sdPrompt) && !askCreate(folder)) return false;
  return !options.Contains(sdPerformCreate) || create(folder);
}
