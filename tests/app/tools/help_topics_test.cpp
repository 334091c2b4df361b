// The help topics: the tree and the documents it names, the Print All list,
// the about text's version places, and every topic file as 7-bit RTF that
// uses only what both the screen and our print layout render.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "app/tools/HelpTopics.h"

namespace {

const std::string kHelpDir = std::string(TQ_TEST_SOURCE_DIR) + "/../../../resources/help/";

bool ReadFile(const std::string& name, std::string& text) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  std::stringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

TEST(HelpTopics, TheTreeHasItsTitlesLevelsAndDocuments) {
  EXPECT_STREQ(kHelpNodes[kHelpAboutNode].Title, "About");
  EXPECT_STREQ(kHelpNodes[kHelpKeysNode].Title, "Key Combinations");
  EXPECT_STREQ(kHelpNodes[kHelpLocaleNode].Title, "Locale");
  EXPECT_STREQ(kHelpNodes[kHelpSettingsNode].Title, "Settings");
  EXPECT_STREQ(kHelpNodes[27].Title, "Hey! I need your help!");
  int children = 0;
  for (const auto& n : kHelpNodes) children += n.Level;
  EXPECT_EQ(children, 17);
  EXPECT_EQ(kHelpNodes[25].Level, 1);  // "Interface" under "Settings"
  EXPECT_EQ(kHelpNodes[26].Level, 0);
  // "Installation" shows the document of "Installing".
  EXPECT_STREQ(kHelpNodes[HelpNodeOfTitle("Installation")].Document,
               kHelpNodes[HelpNodeOfTitle("Installing")].Document);
  EXPECT_EQ(HelpNodeOfTitle("installing"), -1);  // exact comparison
  std::set<std::string> documents;
  for (const auto& n : kHelpNodes) documents.insert(n.Document);
  EXPECT_EQ(documents.size(), 27u);
  for (const auto& d : documents) {
    std::string text;
    EXPECT_TRUE(ReadFile(kHelpDir + d + ".rtf", text)) << d;
  }
}

TEST(HelpTopics, PrintAllListsSixteenPrintableDocumentsInOrder) {
  const char* titles[] = {"Features and History", "Requirement", "License", "Credits",
                          "Review", "Key Combinations", "Installing", "Installation",
                          "Uninstalling", "About", "Calculator", "Functions",
                          "Statistic Functions", "Roll-up Technology", "Command String Parameters",
                          "Locale"};
  for (int i = 0; i < kHelpPrintAllCount; ++i) {
    EXPECT_STREQ(kHelpPrintAll[i].Title, titles[i]);
    std::string text;
    EXPECT_TRUE(ReadFile(kHelpDir + "print/" + kHelpPrintAll[i].Document + ".rtf", text))
        << kHelpPrintAll[i].Document;
  }
  EXPECT_STREQ(kHelpPrintAll[6].Document, kHelpPrintAll[7].Document);
  std::string keys;
  EXPECT_TRUE(ReadFile(kHelpDir + "print/" + kHelpKeysDocument + ".rtf", keys));
}

TEST(HelpTopics, TheAboutTextFillsFourPlacesAndReadsNothingElseAsAFormat) {
  EXPECT_EQ(FillAboutText("v%d.%d.%d (%d)", 1, 2, 3, 45), "v1.2.3 (45)");
  EXPECT_EQ(FillAboutText("%s 100% %d%d%d%d%d %n", 1, 0, 0, 7), "%s 100% 1007%d %n");
  EXPECT_EQ(FillAboutText("no places", 1, 2, 3, 4), "no places");
  std::string about;
  ASSERT_TRUE(ReadFile(kHelpDir + "about.rtf", about));
  size_t places = 0, percents = 0;
  for (size_t i = 0; i < about.size(); ++i)
    if (about[i] == '%') {
      ++percents;
      if (i + 1 < about.size() && about[i + 1] == 'd') ++places;
    }
  EXPECT_EQ(places, 4u);
  EXPECT_EQ(percents, 4u);
}

// Checks one file: 7-bit, one group from the first byte to the last, and
// only the control words of paragraphs, bold, italic, underline, sizes,
// colours, indents and alignment. Returns a description of the first fault.
std::string RtfFault(const std::string& text, bool printable) {
  static const std::set<std::string> allowed = {
      "rtf", "ansi", "ansicpg", "deff", "fonttbl", "f", "fswiss", "colortbl", "red", "green", "blue",
      "pard", "par", "b", "i", "ul", "fs", "cf", "li", "fi", "ri", "sb", "sa", "qc", "ql", "qr"};
  if (text.compare(0, 6, "{\\rtf1") != 0) return "does not start as RTF";
  int depth = 0;
  size_t end = std::string::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c > 127) return "byte above 127 at " + std::to_string(i);
    if (end != std::string::npos && c != '\r' && c != '\n') return "text after the last group";
    if (c == '{') ++depth;
    if (c == '}' && --depth == 0) end = i;
    if (depth < 0) return "unbalanced braces";
    if (c == '\\' && i + 1 < text.size()) {
      const char n = text[i + 1];
      if (n == '\\' || n == '{' || n == '}') {
        ++i;
        continue;
      }
      size_t j = i + 1;
      while (j < text.size() && isalpha(static_cast<unsigned char>(text[j]))) ++j;
      const std::string word = text.substr(i + 1, j - i - 1);
      if (!allowed.count(word)) return "control word \\" + word;
      size_t k = j;
      if (k < text.size() && text[k] == '-') ++k;
      while (k < text.size() && isdigit(static_cast<unsigned char>(text[k]))) ++k;
      if (printable && (word == "red" || word == "green" || word == "blue") && text.substr(j, k - j) != "0")
        return "a colour other than black";
      i = k - 1;
    }
  }
  if (depth != 0) return "unbalanced braces";
  return "";
}

TEST(HelpTopics, EveryTopicFileIsWellFormedSevenBitRtf) {
  std::set<std::string> documents;
  for (const auto& n : kHelpNodes) documents.insert(n.Document);
  for (const auto& d : documents) {
    std::string text;
    ASSERT_TRUE(ReadFile(kHelpDir + d + ".rtf", text)) << d;
    EXPECT_EQ(RtfFault(text, false), "") << d;
  }
  for (const auto& item : kHelpPrintAll) {
    std::string text;
    ASSERT_TRUE(ReadFile(kHelpDir + "print/" + item.Document + ".rtf", text));
    EXPECT_EQ(RtfFault(text, true), "") << "print/" << item.Document;
  }
  // The checker itself finds the faults it is there for.
  EXPECT_NE(RtfFault("{\\rtf1 {\\pict 0}}", false), "");
  EXPECT_NE(RtfFault("{\\rtf1 a", false), "");
  EXPECT_NE(RtfFault("{\\rtf1 \xE9}", false), "");
  EXPECT_NE(RtfFault("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}}", true), "");
}

}  // namespace
