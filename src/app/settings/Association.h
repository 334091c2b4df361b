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
  // The other program part's record key ("Installation" for the options
  // dialog and the other way round): an extension keeps one record, so a
  // new record drops the one there.
  std::string OtherRecordKey;
  std::string ClassName = "Tarnquill";
  // The class's icon, the program's first one, as the installer sets it.
  bool WithIcon = false;
};

// The open command: the program's path and the file, each in double quotes,
// so paths with blanks reach the program whole.
std::string AssociationCommand(const std::string& exePath);

// An extension field that can name a key of its own: not empty, and no
// blanks, "\", "/", wildcards or dots.
bool IsAssociableExtension(const std::string& field);

// Associates dotExt (".pas") with the class, recording the class it had
// before when that was another. Raises ERegistryException when the
// registry refuses.
void AssociateExtension(const std::string& dotExt, const std::string& description,
                        const std::string& exePath, const TAssociationTarget& target);

// Associates every field that is associable (others are skipped), with
// description as the class's text. False at the first registry failure:
// the remaining fields are left alone.
bool AssociateExtensions(const std::vector<std::string>& fields, const std::string& description,
                         const std::string& exePath, const TAssociationTarget& target);
