// File associations in the class registry.
#include "app/settings/Association.h"

#include "platform/Registry.h"

namespace {

std::string ClassKey(const TAssociationTarget& t, const std::string& sub) {
  return t.ClassesBase.empty() ? "\\" + sub : t.ClassesBase + "\\" + sub;
}

void OpenOrRaise(TRegistry& reg, const std::string& key) {
  if (!reg.OpenKey(key, true)) throw ERegistryException("Failed to create key " + key);
}

}  // namespace

void AssociateExtension(const std::string& ext, const std::string& description, const std::string& exePath,
                        const TAssociationTarget& t) {
  TRegistry reg;
  reg.SetRootKey(t.ClassesRoot);
  OpenOrRaise(reg, ClassKey(t, ext));
  const std::string previous = reg.ReadString("");
  reg.WriteString("", t.ClassName);
  reg.CloseKey();
  OpenOrRaise(reg, ClassKey(t, t.ClassName));
  reg.WriteString("", description);
  reg.CloseKey();
  if (t.WithIcon) {
    OpenOrRaise(reg, ClassKey(t, t.ClassName + "\\DefaultIcon"));
    reg.WriteString("", exePath + ",0");
    reg.CloseKey();
  }
  OpenOrRaise(reg, ClassKey(t, t.ClassName + "\\shell\\open\\command"));
  reg.WriteString("", AssociationCommand(exePath));
  reg.CloseKey();
  // A second association keeps the first record: it holds the class the
  // extension had before the program took it.
  if (previous != t.ClassName) {
    TRegistry user;
    OpenOrRaise(user, t.UninstallKey);
    user.WriteString(ext, previous);
    user.CloseKey();
    if (!t.OtherRecordKey.empty() && user.OpenKey(t.OtherRecordKey, false)) user.DeleteValue(ext);
  }
}

std::string AssociationCommand(const std::string& exePath) { return "\"" + exePath + "\" \"%1\""; }

bool IsAssociableExtension(const std::string& field) {
  if (field.empty()) return false;
  for (char c : field)
    if (c == ' ' || c == '\t' || c == '\\' || c == '/' || c == '*' || c == '?' || c == '.') return false;
  return true;
}

bool AssociateExtensions(const std::vector<std::string>& fields, const std::string& description,
                         const std::string& exePath, const TAssociationTarget& target) {
  for (const std::string& field : fields) {
    if (!IsAssociableExtension(field)) continue;
    try {
      AssociateExtension("." + field, description, exePath, target);
    } catch (const Exception&) {
      return false;
    }
  }
  return true;
}
