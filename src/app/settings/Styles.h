// The styles page's rules without its window: the colour palette and how
// it marks the current pair, the character-set names, the languages with
// their highlighters, attributes and sample programs, and the default
// colours of every shared highlighter.
#pragma once

#include <string>
#include <vector>

#include "platform/Graphics.h"

class TData;
class TktCustomHighLighter;
class TktHighLightAttributes;

// 9 rows of 8 panels, c1 to c72, left to right and top to bottom.
extern const TColor kPalette[72];

// Black or white, whichever reads on a panel of colour c.
TColor ContrastColor(TColor c);
// A panel's caption for the pair being edited: "BG" when it holds the
// background (also when it holds both), "FG" for the foreground, else "".
std::string PaletteCaption(TColor panel, TColor foreground, TColor background);

struct TCharsetName {
  const char* Name;
  int Value;
};
extern const TCharsetName kCharsets[19];
// The list index of a font's character set: sets above 254 show
// "OEM_CHARSET"; -1 for a set the list does not have.
int CharsetIndex(int charset);

// One entry of the language list: the shared highlighter it edits (by
// component name; the example shows ShownComponent), its attributes
// without "Attri", and its sample program.
struct TStyleLanguage {
  const char* Item;
  const char* Component;
  const char* ShownComponent;
  std::vector<const char*> Attributes;
  const char* Sample;
};
const std::vector<TStyleLanguage>& StyleLanguages();
// The entry of an item text; nullptr for another text.
const TStyleLanguage* FindStyleLanguage(const std::string& item);
// The attribute of the language's highlighter in data ("Key" is KeyAttri).
TktHighLightAttributes* StyleAttribute(TData& data, const TStyleLanguage& language,
                                       const std::string& attribute);

// Resets every attribute of the fifteen language highlighters of data (not
// the script highlighters used only inside web pages).
void SetDefaultHighlighterColors(TData& data);

// The example's text while the font, gutter and colour tabs are shown:
// "Normal Text" twice, an empty line, "Selected Text" twice (lines 4 and
// 5, selected) and two empty lines.
extern const char* const kStyleExampleLines[7];
