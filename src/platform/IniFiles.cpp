// TCustomIniFile, TIniFile and TRegIniFile.
#include "platform/IniFiles.h"

#include "platform/Streams.h"
#include "platform/TextLines.h"

// ---------------------------------------------------------------------------
// TCustomIniFile
// ---------------------------------------------------------------------------
int TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) {
  return StrToIntDef(ReadString(section, ident, std::string()), def);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TCustomIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  TStringList keys;
  ReadSection(section, &keys);
  strings->BeginUpdate();
  try {
    strings->Clear();
    for (int i = 0; i < keys.GetCount(); ++i)
      strings->Add(keys.Get(i) + "=" + ReadString(section, keys.Get(i), std::string()));
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

bool TCustomIniFile::SectionExists(const std::string& section) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& ident) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.IndexOf(ident) >= 0;
}

// ---------------------------------------------------------------------------
// TIniFile
// ---------------------------------------------------------------------------
namespace {

// Names compare with only ASCII letters folded, as the system's profile
// functions do (an accented letter matches itself only).

// One line of the file as read, classified once.
struct TIniLine {
  std::string Raw;
  bool IsSection = false;
  bool HasValue = false;  // a "name=value" line
  std::string Name;       // section name, or entry name (trimmed)
  std::string Value;      // trimmed, quotes still on
};

struct TIniText {
  std::vector<TIniLine> Lines;

  // Index of the first line of the first section named `section`
  // (its header), or -1.
  int FindSection(const std::string& section) const {
    std::string want = Trim(section);
    for (size_t i = 0; i < Lines.size(); ++i)
      if (Lines[i].IsSection && SameText(Lines[i].Name, want)) return static_cast<int>(i);
    return -1;
  }
  // One past the section's last line.
  int SectionEnd(int header) const {
    size_t i = static_cast<size_t>(header) + 1;
    while (i < Lines.size() && !Lines[i].IsSection) ++i;
    return static_cast<int>(i);
  }
  int FindKey(int header, const std::string& ident) const {
    std::string want = Trim(ident);
    for (int i = header + 1, end = SectionEnd(header); i < end; ++i)
      if (Lines[i].HasValue && SameText(Lines[i].Name, want)) return i;
    return -1;
  }
};

TIniLine ParseLine(std::string_view raw) {
  TIniLine line;
  line.Raw = std::string(raw);
  std::string t = Trim(raw);
  if (!t.empty() && t[0] == '[') {
    line.IsSection = true;
    size_t close = t.find(']');
    line.Name = Trim(std::string_view(t).substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return line;
  }
  size_t eq = t.find('=');
  if (eq != std::string::npos) {
    line.HasValue = true;
    line.Name = TrimRight(std::string_view(t).substr(0, eq));
    line.Value = TrimLeft(std::string_view(t).substr(eq + 1));
  } else {
    line.Name = t;
  }
  return line;
}

TIniText LoadIni(const std::string& fileName) {
  TIniText ini;
  if (!FileExists(fileName)) return ini;
  std::string text;
  try {
    TFileStream f(fileName, fmOpenRead | fmShareDenyNone);
    text = f.ReadRemaining();
  } catch (const EStreamError&) {
    return ini;  // unreadable reads as empty, as the profile API does
  }
  SplitTextLines(text, [&](size_t start, size_t len) {
    ini.Lines.push_back(ParseLine(std::string_view(text).substr(start, len)));
  });
  return ini;
}

void SaveIni(const std::string& fileName, const TIniText& ini) {
  std::string text;
  for (const TIniLine& line : ini.Lines) {
    text += line.Raw;
    text += "\r\n";
  }
  try {
    TFileStream f(fileName, fmCreate);
    f.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  } catch (const EStreamError&) {
    throw EIniFileException("Unable to write to " + fileName);
  }
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& def) {
  TIniText ini = LoadIni(GetFileName());
  int header = ini.FindSection(section);
  if (header < 0) return def;
  int key = ini.FindKey(header, ident);
  return key < 0 ? def : Unquote(ini.Lines[static_cast<size_t>(key)].Value);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
  // The file holds one entry a line: a line break written into a value (or
  // a name) would end it there and make the rest read as further entries
  // and sections. Refused before the file is touched.
  for (const std::string* text : {&section, &ident, &value})
    if (text->find_first_of("\r\n") != std::string::npos)
      throw EIniFileException("A line break cannot be written to " + GetFileName());
  TIniText ini = LoadIni(GetFileName());
  int header = ini.FindSection(section);
  if (header < 0) {
    // (Built in steps: "[" + ... trips a false -Wrestrict alarm in g++ 12.)
    std::string headerLine = "[";
    headerLine += Trim(section);
    headerLine += ']';
    ini.Lines.push_back(ParseLine(headerLine));
    ini.Lines.push_back(ParseLine(Trim(ident) + "=" + value));
  } else if (int key = ini.FindKey(header, ident); key >= 0) {
    // The entry keeps the spelling of its name as the file has it.
    TIniLine& line = ini.Lines[static_cast<size_t>(key)];
    line = ParseLine(line.Name + "=" + value);
  } else {
    // After the section's last non-blank line, so blank lines that part
    // it from the next section stay where they are.
    int at = ini.SectionEnd(header);
    while (at > header + 1 && Trim(ini.Lines[static_cast<size_t>(at - 1)].Raw).empty()) --at;
    ini.Lines.insert(ini.Lines.begin() + at, ParseLine(Trim(ident) + "=" + value));
  }
  SaveIni(GetFileName(), ini);
}

void TIniFile::ReadSection(const std::string& section, TStrings* strings) {
  TIniText ini = LoadIni(GetFileName());
  strings->BeginUpdate();
  try {
    strings->Clear();
    int header = ini.FindSection(section);
    if (header >= 0)
      for (int i = header + 1, end = ini.SectionEnd(header); i < end; ++i) {
        const TIniLine& line = ini.Lines[static_cast<size_t>(i)];
        // Comment lines are no entries, even with an '=' in them.
        if (line.HasValue && !(line.Name.size() > 0 && line.Name[0] == ';')) strings->Add(line.Name);
      }
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* strings) {
  TIniText ini = LoadIni(GetFileName());
  strings->BeginUpdate();
  try {
    strings->Clear();
    for (const TIniLine& line : ini.Lines)
      if (line.IsSection) strings->Add(line.Name);
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  // One read of the file; each name gets the value its first entry has.
  TIniText ini = LoadIni(GetFileName());
  strings->BeginUpdate();
  try {
    strings->Clear();
    int header = ini.FindSection(section);
    if (header >= 0)
      for (int i = header + 1, end = ini.SectionEnd(header); i < end; ++i) {
        const TIniLine& line = ini.Lines[static_cast<size_t>(i)];
        if (!line.HasValue || (line.Name.size() > 0 && line.Name[0] == ';')) continue;
        int first = ini.FindKey(header, line.Name);
        strings->Add(line.Name + "=" + Unquote(ini.Lines[static_cast<size_t>(first)].Value));
      }
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TIniFile::EraseSection(const std::string& section) {
  TIniText ini = LoadIni(GetFileName());
  int header = ini.FindSection(section);
  if (header < 0) return;
  ini.Lines.erase(ini.Lines.begin() + header, ini.Lines.begin() + ini.SectionEnd(header));
  SaveIni(GetFileName(), ini);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  TIniText ini = LoadIni(GetFileName());
  int header = ini.FindSection(section);
  if (header < 0) return;
  int key = ini.FindKey(header, ident);
  if (key < 0) return;
  ini.Lines.erase(ini.Lines.begin() + key);
  SaveIni(GetFileName(), ini);
}

// ---------------------------------------------------------------------------
// TRegIniFile
// ---------------------------------------------------------------------------
TRegIniFile::TRegIniFile(const std::string& keyName, TRegRootKey root, bool readOnly)
    : TCustomIniFile(keyName), FReadOnly(readOnly) {
  FReg.SetRootKey(root);
  FKeyPath = (!keyName.empty() && keyName[0] == '\\') ? keyName.substr(1) : keyName;
  while (!FKeyPath.empty() && FKeyPath.back() == '\\') FKeyPath.pop_back();
  if (readOnly)
    FReg.OpenKeyReadOnly("\\" + FKeyPath);
  else
    FReg.OpenKey("\\" + FKeyPath, true);
}

TRegistry* TRegIniFile::OpenSection(const std::string& section, bool create) {
  const bool write = create && !FReadOnly;
  if (FSectionReg.HasCurrentKey() && FSectionName == section && (FSectionWritable || !write))
    return &FSectionReg;
  FSectionReg.SetRootKey(FReg.GetRootKey());
  std::string path = "\\" + FKeyPath;
  if (!section.empty()) path += "\\" + section;
  const bool opened = write ? FSectionReg.OpenKey(path, true) : FSectionReg.OpenKeyReadOnly(path);
  if (!opened) return nullptr;
  FSectionName = section;
  FSectionWritable = write;
  return &FSectionReg;
}

std::string TRegIniFile::ReadText(TRegistry& reg, const std::string& ident, const std::string& def) {
  // Integers written by another tool read as their decimal text.
  std::string text;
  return reg.ReadValueText(ident, text) ? text : def;
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) {
  TRegistry* reg = OpenSection(section, false);
  return reg ? ReadText(*reg, ident, def) : def;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
  TRegistry* reg = OpenSection(section, true);
  if (!reg) throw ERegistryException("Failed to create key " + FKeyPath + "\\" + section);
  reg->WriteString(ident, value);
}

int TRegIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) {
  TRegistry* reg = OpenSection(section, false);
  if (!reg) return def;
  return StrToIntDef(ReadText(*reg, ident, std::string()), def);
}

void TRegIniFile::ReadSection(const std::string& section, TStrings* strings) {
  if (TRegistry* reg = OpenSection(section, false))
    reg->GetValueNames(strings);
  else
    strings->Clear();
}

void TRegIniFile::ReadSections(TStrings* strings) {
  if (TRegistry* reg = OpenSection(std::string(), false))
    reg->GetKeyNames(strings);
  else
    strings->Clear();
}

void TRegIniFile::ReadSectionValues(const std::string& section, TStrings* strings) {
  TRegistry* reg = OpenSection(section, false);
  TStringList names;
  if (reg) reg->GetValueNames(&names);
  strings->BeginUpdate();
  try {
    strings->Clear();
    for (int i = 0; i < names.GetCount(); ++i)
      strings->Add(names.Get(i) + "=" + ReadText(*reg, names.Get(i), std::string()));
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TRegIniFile::EraseSection(const std::string& section) {
  if (section.empty()) return;  // never the whole key through a section name
  CloseSection();
  TRegistry reg;
  reg.SetRootKey(FReg.GetRootKey());
  reg.DeleteKey("\\" + FKeyPath + "\\" + section);
}

void TRegIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  CloseSection();
  TRegistry reg;
  reg.SetRootKey(FReg.GetRootKey());
  std::string path = "\\" + FKeyPath;
  if (!section.empty()) path += "\\" + section;
  if (reg.OpenKey(path, false)) reg.DeleteValue(ident);  // a missing section stays missing
}
