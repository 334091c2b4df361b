// File associations in the class registry.
#include "app/Association.h"

#include "platform/Registry.h"

namespace {

std::string ClassKey(const TAssociationTarget& t, const std::string& sub) {
  return t.ClassesBase.empty() ? "\\" + sub : t.ClassesBase + "\\" + sub;
}

bool AssociateOne(const std::string& ext, const std::string& description, const std::string& command,
                  const TAssociationTarget& t) {
  TRegistry reg;
  reg.SetRootKey(t.ClassesRoot);
  if (!reg.OpenKey(ClassKey(t, ext), true)) return false;
  const std::string previous = reg.ReadString("");
  reg.WriteString("", t.ClassName);
  reg.CloseKey();
  if (!reg.OpenKey(ClassKey(t, t.ClassName), true)) return false;
  reg.WriteString("", description);
  reg.CloseKey();
  if (!reg.OpenKey(ClassKey(t, t.ClassName + "\\shell\\open\\command"), true)) return false;
  reg.WriteString("", command);
  reg.CloseKey();
  // A second association keeps the first record: it holds the class the
  // extension had before the program took it.
  if (previous != t.ClassName) {
    TRegistry user;
    if (!user.OpenKey(t.UninstallKey, true)) return false;
    user.WriteString(ext, previous);
  }
  return true;
}

}  // namespace

std::string AssociationCommand(const std::string& exePath) { return "\"" + exePath + "\" \"%1\""; }

bool IsAssociableExtension(const std::string& field) {
  if (field.empty()) return false;
  for (char c : field)
    if (c == ' ' || c == '\t' || c == '\\' || c == '/' || c == '*' || c == '?' || c == '.') return false;
  return true;
}

bool AssociateExtensions(const std::vector<std::string>& fields, const std::string& description,
                         const std::string& exePath, const TAssociationTarget& target) {
  const std::string command = AssociationCommand(exePath);
  for (const std::string& field : fields) {
    if (!IsAssociableExtension(field)) continue;
    try {
      if (!AssociateOne("." + field, description, command, target)) return false;
    } catch (const Exception&) {
      return false;
    }
  }
  return true;
}
