// The export commands' checks, made before any dialog shows: whether the
// document's highlighter can export at all, and whether the chosen file is
// one of the open documents (an export over its own source would replace
// the text with markup while the editor still shows it unmodified).
#pragma once

#include <string>
#include <vector>

class TktCustomHighLighter;

// EAbstractError "Abstract Error", as the exporter would raise it, when
// highlighter has no export operations (or there is none).
void CheckExportable(const TktCustomHighLighter* highlighter);

// The name with "\" for "/", "." and ".." steps resolved and in lower case:
// two names of one file compare equal.
std::string NormalizedPath(const std::string& path);

// Whether target names the file of one of the open documents (unnamed
// documents have empty names and match nothing).
bool IsOpenDocumentFile(const std::string& target, const std::vector<std::string>& openFiles);

// The message shown instead of such an export.
std::string ExportOverOpenDocumentText(const std::string& target);
