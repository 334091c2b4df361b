#include "app/tools/HelpTopics.h"

#include <string>

const THelpNode kHelpNodes[kHelpNodeCount] = {
    {"About", 0, "about"},
    {"Review", 0, "review"},
    {"Features and History", 1, "features"},
    {"Requirement", 1, "requirement"},
    {"License", 1, "license"},
    {"Credits", 1, "credits"},
    {"Installation", 0, "installing"},
    {"Installing", 1, "installing"},
    {"Uninstalling", 1, "uninstalling"},
    {"Key Combinations", 0, "keys"},
    {"Automatization work", 0, "automation"},
    {"Roll-up Technology", 1, "rollup"},
    {"Macros", 1, "macros"},
    {"SmartCode", 1, "smartcode"},
    {"Mathematical routines", 0, "math"},
    {"Statistic Functions", 1, "statistics"},
    {"Calculator", 1, "calculator"},
    {"In Text Calculator", 1, "intextcalc"},
    {"Calculator Functions", 1, "calcfunctions"},
    {"Command String Parameters", 0, "cmdline"},
    {"Locale", 0, "locale"},
    {"Settings", 0, "settings"},
    {"General Options", 1, "general"},
    {"Styles", 1, "styles"},
    {"File Types", 1, "filetypes"},
    {"Interface", 1, "interface"},
    {"FAQ, Known bugs and problems", 0, "faq"},
    {"Hey! I need your help!", 0, "needhelp"},
};

const THelpPrintItem kHelpPrintAll[kHelpPrintAllCount] = {
    {"Features and History", "features"},
    {"Requirement", "requirement"},
    {"License", "license"},
    {"Credits", "credits"},
    {"Review", "review"},
    {"Key Combinations", "keys"},
    {"Installing", "installing"},
    {"Installation", "installing"},
    {"Uninstalling", "uninstalling"},
    {"About", "about"},
    {"Calculator", "calculator"},
    {"Functions", "calcfunctions"},
    {"Statistic Functions", "statistics"},
    {"Roll-up Technology", "rollup"},
    {"Command String Parameters", "cmdline"},
    {"Locale", "locale"},
};

int HelpNodeOfTitle(const std::string& title) {
  for (int i = 0; i < kHelpNodeCount; ++i)
    if (title == kHelpNodes[i].Title) return i;
  return -1;
}

std::string FillAboutText(const std::string& text, int major, int minor, int release, int build) {
  const int numbers[4] = {major, minor, release, build};
  std::string out;
  out.reserve(text.size() + 16);
  int next = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (next < 4 && text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'd') {
      out += std::to_string(numbers[next++]);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}
