// The main window's status-bar texts, captions and the small name maps of
// its menus: what the highlighter shows as, which options-list entry belongs
// to which highlighter, what a double click on the status bar does.
#pragma once

#include <cstdint>
#include <string>

constexpr int kStatusPanelCount = 7;
// Panel widths in pixels, left to right.
constexpr int kStatusPanelWidths[kStatusPanelCount] = {70, 100, 80, 60, 60, 26, 50};

// Panel 0 of the text view: "%3d:%3d", line first.
std::string CaretPanelText(int line, int column);
// Panel 0 of the hex view: "0x" and the offset in upper-case hex.
std::string HexOffsetPanelText(int64_t offset);
// Panel 2: the length, with "`" before the last three digits above 1000 and
// before the last six above 1000000.
std::string LengthPanelText(int64_t length);
// Panel 1: the name a highlighter component of the data module shows as;
// empty for one without a name of its own.
std::string HighlighterDisplayName(const std::string& component);

// Window caption and application title for the active document; empty
// fileName and caption with textView false give the plain program name.
struct TMainCaptions {
  std::string Window;
  std::string Title;
};
TMainCaptions MainCaptions(bool hasDocument, bool textView, const std::string& tabCaption,
                           const std::string& fileName);

// What a double click on the status bar at x does.
enum TStatusClick {
  scNothing,
  scGoToLine,       // with a document
  scHighlightMenu,
  scMacroMenu,      // with a document
  scSave,           // with a document
  scToggleEol,      // with a document
  scOpen,
};
TStatusClick StatusClickAt(int x);
// Whether the click needs a current document to do anything.
bool StatusClickNeedsDocument(TStatusClick click);

// The entry of the options dialog's language list for a highlighter
// component (names compared ignoring case); empty when it has none.
std::string LanguageListEntry(const std::string& component);
// The highlighter component a Highlight-as action stands for: its name
// without the leading "aView".
std::string HighlightAsComponent(const std::string& actionName);
