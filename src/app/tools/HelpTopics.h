// The help window's topics without its window: the tree of titles with each
// title's document, the documents "Print All" prints, and the about text's
// version numbers. Documents are named by id ("keys", "installing", ...):
// the program keeps each as a resource, tests read resources/help/.
#pragma once

#include <string>

struct THelpNode {
  const char* Title;
  int Level;             // 0 for a top-level title, 1 for a child
  const char* Document;  // "about" is the about text, "locale" the language-file text
};
constexpr int kHelpNodeCount = 28;
// In tree order: a node's absolute index is its place here.
extern const THelpNode kHelpNodes[kHelpNodeCount];

constexpr int kHelpAboutNode = 0;
constexpr int kHelpKeysNode = 9;
constexpr int kHelpLocaleNode = 20;
constexpr int kHelpSettingsNode = 21;

// The node of a title (exact comparison); -1 for none.
int HelpNodeOfTitle(const std::string& title);

struct THelpPrintItem {
  const char* Title;     // the print job's title
  const char* Document;  // printed in its printable version
};
constexpr int kHelpPrintAllCount = 16;
extern const THelpPrintItem kHelpPrintAll[kHelpPrintAllCount];
// The printable document of "Print Key Combinations".
constexpr const char* kHelpKeysDocument = "keys";

// The about text: its four "%d" places receive the numbers in order; every
// other character stands as it is, "%" included (the text is not a format
// string, so no other sequence is read as one).
std::string FillAboutText(const std::string& text, int major, int minor, int release, int build);
