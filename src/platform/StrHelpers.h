// Three small text routines used by the settings-script and installer-script
// readers, the language-file loader and the find-in-files results.
#pragma once

#include <string>
#include <string_view>

// The part of text before the first occurrence of separator; empty when the
// separator does not occur (or is empty).
std::string StrBefore(std::string_view separator, std::string_view text);
// The part of text after the first occurrence of separator; empty when the
// separator does not occur (or is empty).
std::string StrAfter(std::string_view separator, std::string_view text);
// Replaces, case-sensitively and from left to right, every occurrence of
// oldText in text by newText. The search goes on after the inserted text, so
// a replacement that contains oldText is not replaced again.
void StrReplaceAll(std::string_view oldText, std::string& text, std::string_view newText);
