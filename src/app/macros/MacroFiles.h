// The macro files of the current folder as the Macro menu lists them, and
// the check of a name typed for a new macro.
#pragma once

#include <string>
#include <vector>

constexpr const char* kMacroExtension = ".macro";

// Why a trimmed name cannot be a macro's file name, or "" when it can. Only
// a plain file name in the current folder will do: no folder parts, no
// stream names, no wildcards and no devices.
std::string MacroNameProblem(const std::string& name);

struct TMacroMenuItem {
  std::string FileName;  // as listed, with ".macro"
  std::string Caption;   // the name without ".macro", every "&" doubled
};

// The item of a listed file name.
TMacroMenuItem MacroMenuItem(const std::string& fileName);
// The macro files of a folder ("" the current one) in the order the file
// system lists them, folders left out.
std::vector<TMacroMenuItem> ListMacroFiles(const std::string& folder = std::string());
// Deletes every macro file of a folder; returns how many could not go.
int DeleteMacroFiles(const std::string& folder = std::string());
