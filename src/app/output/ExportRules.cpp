// The export commands' checks.
#include "app/output/ExportRules.h"

#include "editor/Highlighter.h"
#include "platform/SysUtils.h"

void CheckExportable(const TktCustomHighLighter* highlighter) {
  if (!highlighter || !(highlighter->GetCapability() & hcExport)) throw EAbstractError("Abstract Error");
}

std::string NormalizedPath(const std::string& path) {
  std::string text = LowerCase(path);
  for (char& c : text)
    if (c == '/') c = '\\';
  // A UNC name keeps its leading pair of separators.
  const bool unc = text.size() >= 2 && text[0] == '\\' && text[1] == '\\';
  std::vector<std::string> parts;
  size_t start = unc ? 2 : 0;
  while (start <= text.size()) {
    size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    const std::string part = text.substr(start, end - start);
    if (part == "..") {
      // Never above the drive or the server.
      if (parts.size() > 1) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result = unc ? "\\\\" : (!text.empty() && text[0] == '\\' ? "\\" : "");
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) result += '\\';
    result += parts[i];
  }
  return result;
}

bool IsOpenDocumentFile(const std::string& target, const std::vector<std::string>& openFiles) {
  if (target.empty()) return false;
  const std::string wanted = NormalizedPath(target);
  for (const std::string& name : openFiles)
    if (!name.empty() && NormalizedPath(name) == wanted) return true;
  return false;
}

std::string ExportOverOpenDocumentText(const std::string& target) {
  return "The file " + target +
         " is open as a document. An export would replace it; choose another file name.";
}
