// The file-type table and its registry form.
#include "app/settings/FileTypes.h"

#include <algorithm>
#include <cstdio>

#include "platform/Classes.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

TFileTypes FileTypes;
TCodeInsight EmptyCodeInsight;

namespace {

std::string TypesKey() { return ProgramRegistryKey() + "\\FileTypes"; }

std::string CodeInsightName(int n) { return "Codeinsight_" + IntToStr(n); }

// The run and help commands with their value names, in the order written.
struct TCommandField {
  const char* Value;
  TBoundedText<255> TFileType::*Field;
};
const TCommandField kCommands[] = {
    {"F9", &TFileType::F9},         {"CtrlF9", &TFileType::CtrlF9}, {"AltF9", &TFileType::AltF9},
    {"ShiftF9", &TFileType::ShiftF9}, {"CtrlF1", &TFileType::CtrlF1}, {"AltF1", &TFileType::AltF1},
};

// Where a save notes the subkeys it has written so far, one empty key each.
// The registry's own name comparison (case beyond A-Z included) then tells
// whether a name is taken, which no comparison of ours could match exactly.
std::string SavingKey() { return ProgramRegistryKey() + "\\FileTypes Saving"; }

// The names the rows keep their own subkeys under: a row's new name must not
// take one of them from a row that comes later.
bool Reserved(const std::vector<std::string>& reserved, const std::string& key) {
  for (const std::string& r : reserved)
    if (AnsiSameText(r, key)) return true;
  return false;
}

// The first of key, "key 2", "key 3", ... (each cut to a name's width) that
// this save has not written and no other row claims; "Unnamed ..." for a
// row without a name.
std::string FreeSubkey(TRegistry& reg, const std::string& key, bool ownKeyReserved,
                       const std::vector<std::string>& reserved) {
  const std::string base = key.empty() ? std::string("Unnamed") : key;
  auto taken = [&](const std::string& k, bool own) {
    return reg.KeyExists(SavingKey() + "\\" + k) || (!own && Reserved(reserved, k));
  };
  if (!taken(base, ownKeyReserved && !key.empty())) return base;
  for (int n = 2;; ++n) {
    const std::string suffix = " " + IntToStr(n);
    const std::string k = base.substr(0, 30 - std::min<size_t>(30, suffix.size())) + suffix;
    if (!taken(k, false)) return k;
  }
}

void WriteRow(TRegistry& reg, const TFileType& row) {
  std::vector<std::string> written = {"Description", "Extension1", "Extension2", "Extension3",
                                      "Extension4", "Highlighter"};
  reg.WriteString("Description", row.Description);
  reg.WriteString("Extension1", row.Extension1);
  reg.WriteString("Extension2", row.Extension2);
  reg.WriteString("Extension3", row.Extension3);
  reg.WriteString("Extension4", row.Extension4);
  reg.WriteString("Highlighter", row.Highlighter);
  for (const TCommandField& c : kCommands) {
    reg.WriteString(c.Value, row.*c.Field);
    written.push_back(c.Value);
  }
  for (int n = 1; n <= 26; ++n)
    if (!row.CodeInsight[static_cast<size_t>(n - 1)].empty()) {
      reg.WriteString(CodeInsightName(n), row.CodeInsight[static_cast<size_t>(n - 1)]);
      written.push_back(CodeInsightName(n));
    }
  // What the row's old version held beyond that (an expansion since
  // emptied) goes, once the new values are in.
  TStringList values;
  reg.GetValueNames(&values);
  for (int v = 0; v < values.GetCount(); ++v) {
    bool keep = false;
    for (const std::string& w : written) keep = keep || SameText(w, values.Get(v));
    if (!keep) reg.DeleteValue(values.Get(v));
  }
}

}  // namespace

void LoadFileTypes() {
  DebugLog("59");
  FileTypes.clear();
  TRegistry reg;
  TStringList names;
  if (reg.OpenKeyReadOnly(TypesKey())) reg.GetKeyNames(&names);
  FileTypes.resize(static_cast<size_t>(names.GetCount()));
  for (int i = 0; i < names.GetCount(); ++i) {
    TFileType& row = FileTypes[static_cast<size_t>(i)];
    row.Name = names.Get(i);
    DebugLog(names.Get(i));
    if (!reg.OpenKeyReadOnly(TypesKey() + "\\" + names.Get(i))) continue;
    // Values are listed first, so an absent expansion costs no query.
    TStringList values;
    reg.GetValueNames(&values);
    for (int v = 0; v < values.GetCount(); ++v) {
      const std::string name = values.Get(v);
      auto read = [&]() {
        try {
          return reg.ReadString(name);
        } catch (const ERegistryException&) {
          return std::string();  // a value of another type reads as empty
        }
      };
      if (SameText(name, "Description")) row.Description = read();
      else if (SameText(name, "Extension1")) row.Extension1 = read();
      else if (SameText(name, "Extension2")) row.Extension2 = read();
      else if (SameText(name, "Extension3")) row.Extension3 = read();
      else if (SameText(name, "Extension4")) row.Extension4 = read();
      else if (SameText(name, "Highlighter")) row.Highlighter = read();
      else if (SameText(name.substr(0, 12), "Codeinsight_")) {
        for (int n = 1; n <= 26; ++n)
          if (SameText(name, CodeInsightName(n))) row.CodeInsight[static_cast<size_t>(n - 1)] = read();
      } else {
        for (const TCommandField& c : kCommands)
          if (SameText(name, c.Value)) row.*c.Field = read();
      }
    }
    DebugLog(row.Description);
  }
  DebugLog("90");
}

std::string FileTypeSubkeyName(const std::string& name) {
  return StringReplaceAll(name.substr(0, 30), "\\", "/");
}

bool SameFileTypeSubkey(const std::string& a, const std::string& b) {
  return AnsiSameText(FileTypeSubkeyName(a), FileTypeSubkeyName(b));
}

void SaveFileTypes() {
  TRegistry reg;
  if (FileTypes.empty()) {
    reg.DeleteKey(TypesKey());
    return;
  }
  // The rows go over the stored ones and only then do the stored rows that
  // are no longer in the table go: a save that fails halfway leaves every
  // row it has not reached as it was.
  reg.DeleteKey(SavingKey());
  TStringList stored;
  if (reg.OpenKeyReadOnly(TypesKey())) reg.GetKeyNames(&stored);
  reg.CloseKey();
  std::vector<std::string> reserved;
  for (const TFileType& row : FileTypes) reserved.push_back(FileTypeSubkeyName(row.Name));
  try {
    for (size_t i = 0; i < FileTypes.size(); ++i) {
      const TFileType& row = FileTypes[i];
      const std::string own = reserved[i];
      reserved[i].clear();  // its own name is no longer a later row's claim
      const std::string key = FreeSubkey(reg, own, true, reserved);
      reg.CreateKey(SavingKey() + "\\" + key);
      // A stored row spelt otherwise ("delphi" for "Delphi") keeps its
      // spelling when opened: it makes way for the row's own name.
      const std::string path = TypesKey() + "\\" + key;
      bool storedAsIs = false;
      for (int s = 0; s < stored.GetCount(); ++s) storedAsIs = storedAsIs || stored.Get(s) == key;
      if (!storedAsIs && reg.KeyExists(path)) reg.DeleteKey(path);
      if (!reg.OpenKey(path, true)) throw ERegistryException("Failed to create key " + path);
      WriteRow(reg, row);
      reg.CloseKey();
    }
    for (int i = 0; i < stored.GetCount(); ++i)
      if (!reg.KeyExists(SavingKey() + "\\" + stored.Get(i))) reg.DeleteKey(TypesKey() + "\\" + stored.Get(i));
  } catch (...) {
    reg.CloseKey();
    reg.DeleteKey(SavingKey());
    throw;
  }
  reg.DeleteKey(SavingKey());
}

void ClearFileTypes() { FileTypes.clear(); }

void SetFileType(const std::string& name, const std::string& description, const std::string& ext1,
                 const std::string& ext2, const std::string& ext3, const std::string& ext4,
                 const std::string& highlighter, const TCodeInsight& codeInsight) {
  int i = FindFileTypeByName(name);
  if (i < 0) {
    FileTypes.emplace_back();
    i = static_cast<int>(FileTypes.size()) - 1;
  }
  TFileType& row = FileTypes[static_cast<size_t>(i)];
  row.Name = name;
  row.Description = description;
  row.Extension1 = ext1;
  row.Extension2 = ext2;
  row.Extension3 = ext3;
  row.Extension4 = ext4;
  row.Highlighter = highlighter;
  row.CodeInsight = codeInsight;
}

void DeleteFileType(const std::string& name) {
  int i = FindFileTypeByName(name);
  if (i >= 0) FileTypes.erase(FileTypes.begin() + i);
}

int FindFileTypeByName(const std::string& name) {
  for (size_t i = 0; i < FileTypes.size(); ++i)
    if (SameText(FileTypes[i].Name.Str(), name)) return static_cast<int>(i);
  return -1;
}

int FindFileTypeByDescription(const std::string& description) {
  for (size_t i = 0; i < FileTypes.size(); ++i)
    if (SameText(FileTypes[i].Description.Str(), description)) return static_cast<int>(i);
  return -1;
}

int FindFileTypeByExtension(const std::string& ext) {
  for (size_t i = 0; i < FileTypes.size(); ++i) {
    const TFileType& row = FileTypes[i];
    if (SameText(row.Extension1.Str(), ext) || SameText(row.Extension2.Str(), ext) ||
        SameText(row.Extension3.Str(), ext) || SameText(row.Extension4.Str(), ext))
      return static_cast<int>(i);
  }
  return -1;
}

std::string GetHighlighterByExtension(const std::string& ext) {
  int i = FindFileTypeByExtension(ext);
  return i < 0 ? std::string() : FileTypes[static_cast<size_t>(i)].Highlighter.Str();
}

void FillTypeDescriptions(TStrings* list) {
  list->Clear();
  DebugLog("low(FileTypes)0");
  DebugLog("high(FileTypes)" + IntToStr(static_cast<int64_t>(FileTypes.size()) - 1));
  for (const TFileType& row : FileTypes) {
    DebugLog(row.Description);
    list->Add(row.Description);
  }
}

namespace {
std::string FilterLine(const TFileType& row) {
  std::string line = row.Description.Str() + " (*." + row.Extension1.Str();
  for (const auto* ext : {&row.Extension2, &row.Extension3, &row.Extension4})
    if (!ext->empty()) line += ";*." + ext->Str();
  return line + ")";
}
}  // namespace

void FillTypeFilters(TStrings* list) {
  list->Clear();
  for (const TFileType& row : FileTypes) list->Add(FilterLine(row));
}

void GetFilterMasks(const std::string& filter, TStrings* masks) {
  masks->Clear();
  // Only a row's own line stands for its extensions: a description found
  // inside a longer line ("C" in "C/C++ Programs (...)") is not enough.
  for (const TFileType& row : FileTypes) {
    if (FilterLine(row) != filter) continue;
    masks->Add("*." + row.Extension1.Str());
    for (const auto* ext : {&row.Extension2, &row.Extension3, &row.Extension4})
      if (!ext->empty()) masks->Add("*." + ext->Str());
    return;
  }
  std::string text = filter;
  size_t open = text.find('(');
  if (open != std::string::npos) {
    text = text.substr(open + 1);
    size_t close = text.find(')');
    if (close != std::string::npos) text = text.substr(0, close);
  }
  // "*.pas;*.dpr" is two masks: a folder search takes one at a time.
  size_t start = 0;
  for (size_t semi; (semi = text.find(';', start)) != std::string::npos; start = semi + 1)
    if (semi > start) masks->Add(text.substr(start, semi - start));
  if (start < text.size() || masks->GetCount() == 0) masks->Add(text.substr(start));
}

void FillHighlighterNames(TStrings* list) {
  list->Clear();
  for (const char* name : {"", "Pascal", "Dfm", "HTML", "C", "Fortran", "Ini", "Java", "JScript", "VbScript",
                           "Batch", "Perl", "SQL", "VisualBasic", "Assembler", "ADSP"})
    list->Add(name);
}

namespace {
void SetEntries(TCodeInsight& ci, std::initializer_list<std::pair<char, const char*>> entries) {
  for (const auto& [letter, text] : entries) ci[static_cast<size_t>(letter - 'A')] = text;
}
}  // namespace

void DefaultPascalCodeInsight(TCodeInsight& ci) {
  SetEntries(ci, {{'A', "As "},       {'B', "Begin "},   {'C', "Case "},    {'D', "Do "},
                  {'E', "End;"},      {'F', "Function "}, {'G', "Goto "},   {'H', "Handle "},
                  {'I', "If "},       {'K', "Key"},      {'L', "Label "},   {'M', "Message "},
                  {'N', "Name "},     {'O', "Open "},    {'P', "Procedure "}, {'Q', "Query "},
                  {'R', "Raise "},    {'S', "String "},  {'T', "Then "},    {'U', "Unit "},
                  {'V', "Var "},      {'W', "Web"}});
}

void DefaultSQLCodeInsight(TCodeInsight& ci) {
  SetEntries(ci, {{'B', "Begin "},      {'D', "Delete From "}, {'E', "Exec "},      {'F', "From "},
                  {'G', "Group by "},   {'H', "Having by "},   {'I', "Insert Into"}, {'J', "Join "},
                  {'O', "Outer Join "}, {'S', "Select "},      {'T', "Transact "},  {'U', "Update "},
                  {'V', "Values "},     {'W', "Where "}});
}

void DefaultBatchCodeInsight(TCodeInsight& ci) {
  SetEntries(ci, {{'E', "@Echo off"}, {'G', "Goto"}, {'I', "If Errorlevel "}, {'M', "Mode "},
                  {'P', "Path "}, {'S', "Set "}});
}

void SetDefaultFileTypes() {
  TCodeInsight pascal, sql, batch;
  DefaultPascalCodeInsight(pascal);
  DefaultSQLCodeInsight(sql);
  DefaultBatchCodeInsight(batch);
  struct TRow {
    const char *Name, *Description, *Ext1, *Ext2, *Ext3, *Ext4, *Highlighter;
    const TCodeInsight* CodeInsight;
  };
  const TRow rows[] = {
      {"Delphi", "Object Pascal/Delphi Files", "pas", "dpr", "dpk", "inc", "Pascal", &pascal},
      {"Delphi Form", "Delphi Form", "dfm", "", "", "", "Dfm", &EmptyCodeInsight},
      {"HTML", "HTML Document", "htm", "html", "asp", "", "HTML", &EmptyCodeInsight},
      {"C/C++", "C/C++ Programs", "cpp", "h", "hpp", "", "C", &EmptyCodeInsight},
      {"Fortran", "Fortran Files", "for", "", "", "", "Fortran", &EmptyCodeInsight},
      {"Ini", "Ini Files", "ini", "", "", "", "Ini", &EmptyCodeInsight},
      {"Java", "Java Files", "java", "", "", "", "Java", &EmptyCodeInsight},
      {"JavaScript", "JavaScript, JScript Files", "js", "", "", "", "JScript", &EmptyCodeInsight},
      {"VBScript", "VBScript", "vbs", "", "", "", "VbScript", &EmptyCodeInsight},
      {"Batch", "MS DOS Batch files", "bat", "cmd", "properties", "", "Batch", &batch},
      {"Perl", "Perl Files", "pl", "pm", "cgi", "", "Perl", &EmptyCodeInsight},
      {"SQL", "SQL Queries", "sql", "", "", "", "SQL", &sql},
      {"Basic", "Basic/Visual Basic Files", "bas", "", "", "", "VisualBasic", &EmptyCodeInsight},
      {"Assembler", "Assembler", "asm", "", "", "", "Assembler", &EmptyCodeInsight},
      {"Text", "Text Files", "txt", "log", "rtf", "", "", &EmptyCodeInsight},
      {"ADSP", "ADSP21xx Files", "dsp", "", "", "", "ADSP", &EmptyCodeInsight},
  };
  ClearFileTypes();
  for (const TRow& r : rows)
    SetFileType(r.Name, r.Description, r.Ext1, r.Ext2, r.Ext3, r.Ext4, r.Highlighter, *r.CodeInsight);
  SaveFileTypes();
  LoadFileTypes();
}

namespace {
struct TDebugLogTarget {
  std::string ProgramFile;
  std::string FirstArgument;
};
TDebugLogTarget& DebugTarget() {
  static TDebugLogTarget target;
  return target;
}
}  // namespace

void SetDebugLogTarget(const std::string& programFile, const std::string& firstArgument) {
  DebugTarget() = {programFile, firstArgument};
}

void DebugLog(const std::string& text) {
  const TDebugLogTarget& t = DebugTarget();
  if (t.FirstArgument != "/D" || t.ProgramFile.empty()) return;
  std::string line = text + "\r\n";
  if (FILE* f = std::fopen(ChangeFileExt(t.ProgramFile, ".log").c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
  }
}
