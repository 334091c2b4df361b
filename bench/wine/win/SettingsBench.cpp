// Loading and saving the program's settings under Wine: the file-type table
// and the form storages of "Setup" and "Data" (into stand-ins named as the
// data module's highlighters and the options dialog's controls), timed
// against raw advapi32 reads and writes of the same values in the same
// process (one open per key, one call per value). Best of three each.
// Prints "settings-wine-load-ratio: <r>" and "settings-wine-save-ratio: <r>".
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/settings/DefaultSettings.h"
#include "app/settings/FileTypes.h"
#include "editor/HighlightAttributes.h"
#include "kit/win/Placemnt.h"
#include "platform/Registry.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "WineBench.h"

namespace {

const char* const kBenchKey = "Software\\Tarnquill\\Bench\\settings";

// Every attribute name any of the data module's highlighters has.
constexpr const char* kAttributeNames[] = {
    "AsmAttri",    "CommentAttri",  "DirecAttri",  "IdentifierAttri", "KeyAttri",       "InvalidAttri",
    "NumberAttri", "SpaceAttri",    "StringAttri", "SymbolAttri",     "VariableAttri",  "AndAttri",
    "ASPAttri",    "UndefKeyAttri", "TextAttri",   "ValueAttri",      "SectionAttri",   "DocumentAttri",
    "OperatorAttri", "PragmaAttri", "ParameterAttri"};
constexpr int kAttributeCount = sizeof kAttributeNames / sizeof kAttributeNames[0];

// A highlighter stand-in publishing every attribute name.
class TBenchHighlighter : public TComponent {
public:
  explicit TBenchHighlighter(TComponent* owner) : TComponent(owner) {
    for (int i = 0; i < kAttributeCount; ++i) FAttributes.emplace_back(new TktHighLightAttributes(kAttributeNames[i]));
  }
  ~TBenchHighlighter() override {
    for (auto* a : FAttributes) delete a;
  }
  template <int I>
  TktHighLightAttributes* Get() const {
    return FAttributes[I];
  }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = Publish(std::make_integer_sequence<int, kAttributeCount>());
    return info;
  }

private:
  template <int... I>
  static TClassInfo Publish(std::integer_sequence<int, I...>) {
    TClassInfo info("TBenchHighlighter", &TComponent::StaticClassInfo());
    (info.Object(kAttributeNames[I], &TBenchHighlighter::Get<I>), ...);
    return info;
  }
  std::vector<TktHighLightAttributes*> FAttributes;
};

// The options dialog's controls as far as "Setup" stores them.
class TBenchPart : public TPersistent {
public:
  int Background = 0, Foreground = 0, Charset = 0;
  std::string Name;
  int GetBackground() const { return Background; }
  void SetBackground(int v) { Background = v; }
  int GetForeground() const { return Foreground; }
  void SetForeground(int v) { Foreground = v; }
  const std::string& GetName() const { return Name; }
  void SetName(const std::string& v) { Name = v; }
  int GetCharset() const { return Charset; }
  void SetCharset(int v) { Charset = v; }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TBenchPart", &TPersistent::StaticClassInfo())
                                       .Integer("Background", &TBenchPart::GetBackground, &TBenchPart::SetBackground)
                                       .Integer("Foreground", &TBenchPart::GetForeground, &TBenchPart::SetForeground)
                                       .String("Name", &TBenchPart::GetName, &TBenchPart::SetName)
                                       .Integer("Charset", &TBenchPart::GetCharset, &TBenchPart::SetCharset);
    return info;
  }
};

class TBenchControl : public TComponent {
public:
  explicit TBenchControl(TComponent* owner) : TComponent(owner) {}
  int Value = 0, ItemIndex = 0, Color = 0, RightEdge = 0, RightEdgeColor = 0;
  bool Checked = false;
  TBenchPart SelectedColor, Font;
  int GetValue() const { return Value; }
  void SetValue(int v) { Value = v; }
  int GetItemIndex() const { return ItemIndex; }
  void SetItemIndex(int v) { ItemIndex = v; }
  bool GetChecked() const { return Checked; }
  void SetChecked(bool v) { Checked = v; }
  int GetColor() const { return Color; }
  void SetColor(int v) { Color = v; }
  int GetRightEdge() const { return RightEdge; }
  void SetRightEdge(int v) { RightEdge = v; }
  int GetRightEdgeColor() const { return RightEdgeColor; }
  void SetRightEdgeColor(int v) { RightEdgeColor = v; }
  TBenchPart* GetSelectedColor() { return &SelectedColor; }
  TBenchPart* GetFont() { return &Font; }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassInfo("TBenchControl", &TComponent::StaticClassInfo())
            .Integer("Value", &TBenchControl::GetValue, &TBenchControl::SetValue)
            .Integer("ItemIndex", &TBenchControl::GetItemIndex, &TBenchControl::SetItemIndex)
            .Bool("Checked", &TBenchControl::GetChecked, &TBenchControl::SetChecked)
            .Integer("Color", &TBenchControl::GetColor, &TBenchControl::SetColor)
            .Integer("RightEdge", &TBenchControl::GetRightEdge, &TBenchControl::SetRightEdge)
            .Integer("RightEdgeColor", &TBenchControl::GetRightEdgeColor, &TBenchControl::SetRightEdgeColor)
            .Object("SelectedColor", &TBenchControl::GetSelectedColor)
            .Object("Font", &TBenchControl::GetFont);
    return info;
  }
};

// One stand-in per stored "Component_Property..." value of a section: the
// component named by the text before "_", the property by what follows up to
// the sub-property (the attribute or the part) when there is one.
struct TStandIns {
  TComponent Owner{nullptr};
  TFormStorage* Storage = nullptr;

  TStandIns(const std::string& section, bool highlighters) {
    Storage = new TFormStorage(&Owner);
    Storage->SetUseRegistry(true);
    Storage->SetIniFileName(kBenchKey);
    Storage->SetIniSection(section);
    HKEY key;
    std::string path = std::string(kBenchKey) + "\\" + section;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = sizeof name;
      if (::RegEnumValueA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      std::string value(name, len);
      size_t us = value.find('_');
      if (us == std::string::npos) continue;
      std::string component = value.substr(0, us), rest = value.substr(us + 1);
      std::string property = rest;
      for (const char* suffix : {"Background", "Foreground", "Style", "Name", "Charset"})
        if (rest.size() > std::string(suffix).size() &&
            rest.compare(rest.size() - std::string(suffix).size(), std::string::npos, suffix) == 0 &&
            rest != "RightEdgeColor") {
          property = rest.substr(0, rest.size() - std::string(suffix).size());
          break;
        }
      if (!Owner.FindComponent(component)) {
        TComponent* c = highlighters ? static_cast<TComponent*>(new TBenchHighlighter(&Owner))
                                     : static_cast<TComponent*>(new TBenchControl(&Owner));
        c->SetName(component);
      }
      if (!GetPropInfo(Owner.FindComponent(component), property)) continue;
      std::string entry = component + "." + property;
      if (Storage->GetStoredProps()->IndexOf(entry) < 0) Storage->GetStoredProps()->Add(entry);
    }
    ::RegCloseKey(key);
  }
};

// The stored keys with their value names, read once before timing.
struct TRawKey {
  std::string Path;
  std::vector<std::string> Names;
  std::vector<std::string> Data;
};

std::vector<TRawKey> Snapshot() {
  std::vector<std::string> paths = {std::string(kBenchKey) + "\\Data", std::string(kBenchKey) + "\\Setup"};
  HKEY types;
  std::string typesPath = std::string(kBenchKey) + "\\FileTypes";
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, typesPath.c_str(), 0, KEY_READ, &types) == ERROR_SUCCESS) {
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = sizeof name;
      if (::RegEnumKeyExA(types, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      paths.push_back(typesPath + "\\" + std::string(name, len));
    }
    ::RegCloseKey(types);
  }
  std::vector<TRawKey> keys;
  for (const std::string& path : paths) {
    TRawKey k{path, {}, {}};
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    char name[256];
    char data[2048];
    for (DWORD i = 0;; ++i) {
      DWORD len = sizeof name, size = sizeof data, type = 0;
      if (::RegEnumValueA(key, i, name, &len, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
          ERROR_SUCCESS)
        break;
      k.Names.emplace_back(name, len);
      k.Data.emplace_back(data, size);
    }
    ::RegCloseKey(key);
    keys.push_back(std::move(k));
  }
  return keys;
}

size_t RawRead(const std::vector<TRawKey>& keys) {
  size_t bytes = 0;
  char data[2048];
  for (const TRawKey& k : keys) {
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, k.Path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    for (const std::string& name : k.Names) {
      DWORD size = sizeof data, type = 0;
      if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
          ERROR_SUCCESS)
        bytes += size;
    }
    ::RegCloseKey(key);
  }
  return bytes;
}

void RawWrite(const std::vector<TRawKey>& keys) {
  for (const TRawKey& k : keys) {
    HKEY key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, k.Path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      continue;
    for (size_t i = 0; i < k.Names.size(); ++i)
      ::RegSetValueExA(key, k.Names[i].c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(k.Data[i].data()),
                       static_cast<DWORD>(k.Data[i].size()));
    ::RegCloseKey(key);
  }
}

// Best of three calls of work.
template <class F> double BestTime(F&& work) {
  return wine_bench::Best([&] { return wine_bench::Time(work); });
}

}  // namespace

int main() {
  return wine_bench::Run([] {
    TApplication application;
    SetProgramRegistryKey(std::string("\\") + kBenchKey);
    TRegistry().DeleteKey(std::string("\\") + kBenchKey);
    WriteDefaultSettings();

    TStandIns data("Data", true), setup("Setup", false);
    const std::vector<TRawKey> keys = Snapshot();
    size_t values = 0;
    for (const TRawKey& k : keys) values += k.Names.size();

    const double load = BestTime([&] {
      LoadFileTypes();
      setup.Storage->RestoreFormPlacement();
      data.Storage->RestoreFormPlacement();
    });
    const double rawLoad = BestTime([&] { RawRead(keys); });
    const double save = BestTime([&] {
      SaveFileTypes();
      setup.Storage->SaveFormPlacement();
      data.Storage->SaveFormPlacement();
    });
    const double rawSave = BestTime([&] { RawWrite(keys); });

    std::fprintf(stderr, "%zu values in %zu keys, %d stored properties; load %.2f ms (raw %.2f ms), save %.2f ms (raw %.2f ms)\n",
                 values, keys.size(),
                 data.Storage->GetStoredProps()->GetCount() + setup.Storage->GetStoredProps()->GetCount(),
                 load * 1000, rawLoad * 1000, save * 1000, rawSave * 1000);
    TRegistry().DeleteKey(std::string("\\") + kBenchKey);
    std::printf("settings-wine-load-ratio: %.2f\n", load / rawLoad);
    std::printf("settings-wine-save-ratio: %.2f\n", save / rawSave);
    return 0;
  });
}
