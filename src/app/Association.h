// Associating file extensions with the program in the class registry:
// ".ext" names the program's class, whose open command starts the program
// on the file. The class an extension had before is kept per user under
// "Uninstall", so that uninstalling can give it back.
#pragma once

#include <string>
#include <vector>

#include "platform/RegistryBackend.h"

// Where the association goes: the class registry's root and a key below it
// ("" for the root itself), and the per-user key of the uninstall records.
struct TAssociationTarget {
  TRegRootKey ClassesRoot = rkClassesRoot;
  std::string ClassesBase;
  std::string UninstallKey;  // e.g. "\Software\Tarnquill\Uninstall"
  std::string ClassName = "Tarnquill";
};

// The open command: the program's path and the file, each in double quotes,
// so paths with blanks reach the program whole.
std::string AssociationCommand(const std::string& exePath);

// An extension field that can name a key of its own: not empty, and no
// blanks, "\", "/", wildcards or dots.
bool IsAssociableExtension(const std::string& field);

// Associates every field that is associable (others are skipped), with
// description as the class's text. False at the first registry failure:
// the remaining fields are left alone.
bool AssociateExtensions(const std::vector<std::string>& fields, const std::string& description,
                         const std::string& exePath, const TAssociationTarget& target);
