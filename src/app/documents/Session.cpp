#include "app/documents/Session.h"

#include <cmath>
#include <cstring>

#include "kit/RxMemDS.h"
#include "platform/Registry.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace {

std::string SubKey(const char* name) { return ProgramRegistryKey() + "\\" + name + "\\"; }

void OpenOrRaise(TRegistry& registry, const std::string& key) {
  if (!registry.OpenKey(key, true)) throw ERegistryException("Failed to open key " + key);
}

std::vector<std::string> ValueNames(TRegistry& registry) {
  TStringList names;
  registry.GetValueNames(&names);
  std::vector<std::string> out;
  for (int i = 0; i < names.GetCount(); ++i) out.push_back(names.Get(i));
  return out;
}

// A date-time as the editing control stamps it; false for anything else.
bool ReadStamp(TRegistry& registry, const std::string& name, double& when) {
  TRegDataInfo info;
  if (!registry.GetDataInfo(name, info) || info.RegData != rdBinary || info.DataSize != int(sizeof when))
    return false;
  try {
    registry.ReadBinaryData(name, &when, int(sizeof when));
  } catch (const Exception&) {
    return false;
  }
  return std::isfinite(when);
}

}  // namespace

void DefineFileListFields(TRxMemoryData& fileList) {
  TFieldDefs& defs = fileList.GetFieldDefs();
  defs.Clear();
  defs.Add("FileName", ftMemo);
  defs.Add("_Date", ftDateTime);
}

std::vector<std::string> ReadReopenList(TRxMemoryData& fileList, int limit) {
  if (limit <= 0) return {};
  TRegistry registry;
  OpenOrRaise(registry, SubKey("Documents"));
  fileList.EmptyTable();
  TField* fileName = fileList.FieldByName("FileName");
  TField* date = fileList.FieldByName("_Date");
  for (const std::string& name : ValueNames(registry)) {
    double when = 0;
    bool posted = false;
    if (ReadStamp(registry, name, when)) {
      fileList.Append();
      try {
        fileName->SetAsString(name);
        date->SetAsDateTime(when);
        fileList.Post();
        posted = true;
      } catch (const Exception&) {
        fileList.Cancel();
      }
    }
    if (!posted) registry.DeleteValue(name);
  }
  std::vector<std::string> out;
  fileList.SortOnFields("_Date", true, true);
  for (fileList.First(); !fileList.GetEof() && int(out.size()) < limit; fileList.Next())
    out.push_back(fileName->GetAsString());
  fileList.EmptyTable();
  return out;
}

void WriteOpenedDocuments(const std::vector<std::string>& paths) {
  TRegistry registry;
  registry.DeleteKey(SubKey("Opened"));
  OpenOrRaise(registry, SubKey("Opened"));
  for (size_t i = 0; i < paths.size(); ++i) registry.WriteInteger(paths[i], int(i));
}

std::vector<std::string> ReadOpenedDocuments() {
  TRegistry registry;
  if (!registry.OpenKeyReadOnly(SubKey("Opened"))) return {};
  return ValueNames(registry);
}

std::vector<TRollUpRecord> ReadRollUps() {
  TRegistry registry;
  OpenOrRaise(registry, SubKey("Rollup"));
  std::vector<TRollUpRecord> out;
  for (const std::string& name : ValueNames(registry)) {
    std::string text;
    if (!registry.ReadValueText(name, text)) continue;
    out.push_back({name, text});
  }
  return out;
}

void WriteRollUps(const std::vector<TRollUpRecord>& records) {
  TRegistry registry;
  OpenOrRaise(registry, SubKey("Rollup"));
  for (const TRollUpRecord& r : records) registry.WriteString(r.HotKey, r.Text);
}
