// Sectioned settings storage: TIniFile over an INI file (with the Windows
// profile API's reading rules, portably) and TRegIniFile over a registry key
// whose subkeys are the sections. Code that stores settings in either takes
// a TCustomIniFile.
#pragma once

#include <string>

#include "platform/Classes.h"
#include "platform/Registry.h"

class TCustomIniFile : public TObject {
public:
  explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
  const std::string& GetFileName() const { return FFileName; }

  virtual std::string ReadString(const std::string& section, const std::string& ident,
                                 const std::string& def) = 0;
  virtual void WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) = 0;
  // Text "123", "-5" or "0x1F"; anything else gives def.
  virtual int ReadInteger(const std::string& section, const std::string& ident, int def);
  virtual void WriteInteger(const std::string& section, const std::string& ident, int value);
  // Read as an integer (non-zero is true); written as "1" or "0".
  bool ReadBool(const std::string& section, const std::string& ident, bool def);
  void WriteBool(const std::string& section, const std::string& ident, bool value);

  // The names of a section's entries, of all sections, and "name=value" lines.
  virtual void ReadSection(const std::string& section, TStrings* strings) = 0;
  virtual void ReadSections(TStrings* strings) = 0;
  virtual void ReadSectionValues(const std::string& section, TStrings* strings);
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
  virtual void UpdateFile() = 0;
  // A section exists when it has entries.
  bool SectionExists(const std::string& section);
  bool ValueExists(const std::string& section, const std::string& ident);

private:
  std::string FFileName;
};

// An INI file. Sections and names compare without ASCII case and the first match
// wins; names and values are read without surrounding blanks, and a value in
// a matching pair of quotes (" or ') loses them. Every call reads the file
// as it is now, and every change is written at once (lines it does not touch
// stay as they were). A file that cannot be written raises EIniFileException
// "Unable to write to <file>"; a section, name or value that holds CR or LF
// raises EIniFileException and leaves the file as it was.
class TIniFile : public TCustomIniFile {
public:
  explicit TIniFile(const std::string& fileName) : TCustomIniFile(fileName) {}

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& ident,
                   const std::string& value) override;
  void ReadSection(const std::string& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const std::string& section, TStrings* strings) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  void UpdateFile() override {}
};

// A registry key (opened below root, created unless read-only) whose
// subkeys are the sections; an empty section means the key itself. Values
// are written as strings; integers as decimal text.
class TRegIniFile : public TCustomIniFile {
public:
  explicit TRegIniFile(const std::string& keyName, TRegRootKey root = rkCurrentUser,
                       bool readOnly = false);

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& def) override;
  void WriteString(const std::string& section, const std::string& ident,
                   const std::string& value) override;
  int ReadInteger(const std::string& section, const std::string& ident, int def) override;
  void ReadSection(const std::string& section, TStrings* strings) override;
  void ReadSections(TStrings* strings) override;
  void ReadSectionValues(const std::string& section, TStrings* strings) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  void UpdateFile() override {}

  TRegistry& GetRegistry() { return FReg; }

private:
  // The section's key, kept open from one call to the next (a settings
  // restore reads hundreds of values from a few sections); nullptr when it
  // cannot be opened.
  TRegistry* OpenSection(const std::string& section, bool create);
  void CloseSection() { FSectionReg.CloseKey(); }
  std::string ReadText(TRegistry& reg, const std::string& ident, const std::string& def);

  TRegistry FReg;
  bool FReadOnly;
  std::string FKeyPath;  // absolute, without the leading separator
  TRegistry FSectionReg;
  std::string FSectionName;
  bool FSectionWritable = false;
};
