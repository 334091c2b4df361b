// Choosing a document's highlighter among the data module's shared ones: by
// the file's extension through the file-type table, or by a Highlight-as
// action's name. Before each choice by extension the three script
// highlighters lend their colours to the copies the HTML highlighter hands
// embedded scripts to, each on a background of its own.
#pragma once

#include <string>

class TComponent;
class TktCustomHighLighter;

// The highlighter component of data named name (ignoring case); nullptr
// when there is none or it is no highlighter.
TktCustomHighLighter* FindHighlighter(const TComponent* data, const std::string& name);

// JScript -> JScript1, VbScript -> VbScript1, VisualBasic -> VisualBasic1,
// every attribute; then the copies' backgrounds tinted light green, light
// red and light blue. A pair that data does not hold is left out.
void CopyScriptColours(const TComponent* data);

// Background tints of the script copies, as colour words (0x00BBGGRR).
constexpr int kJScriptTint = 0xEEFFEE;
constexpr int kVbScriptTint = 0xEEEEFF;
constexpr int kVisualBasicTint = 0xFFEEEE;

// The highlighter for fileName's extension (ignoring case), nullptr without
// an extension, a row or such a component.
TktCustomHighLighter* HighlighterForFile(const TComponent* data, const std::string& fileName);
