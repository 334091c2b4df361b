// "Associate with Tarnquill" against Wine's real class registry: the open
// command, the uninstall record, extension fields that cannot be keys, and
// a host desktop left untouched (no menu-builder files in the run's XDG
// folders or the user's own).
#include "editor/win/EditWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "AppRegistryKey.h"
#include "app/win/DataWin.h"
#include "app/settings/win/Setup.h"
#include "platform/SysUtils.h"
#include "platform/win/StdCtrls.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

const char* const kExtensions[] = {".tqassoca", ".tqassocb"};

std::string ClassDefault(const std::string& key) {
  TRegistry reg;
  reg.SetRootKey(rkClassesRoot);
  std::string text = "<none>";
  if (reg.OpenKeyReadOnly("\\" + key)) reg.ReadValueText("", text);
  return text;
}

// A Unix folder from the environment as Wine's drive Z: sees it.
std::string UnixFolder(const char* variable, const std::string& below = "") {
  const char* v = std::getenv(variable);
  if (!v || !*v) return std::string();
  std::string path = "Z:" + std::string(v) + below;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Files below folder whose names the menu builder makes.
void FindDesktopFiles(const std::string& folder, std::vector<std::string>& found, int depth = 0) {
  if (folder.empty() || depth > 6) return;
  TSearchRec f;
  for (int r = FindFirst(folder + "\\*", faAnyFile, f); r == 0; r = FindNext(f)) {
    if (f.Name == "." || f.Name == "..") continue;
    const std::string path = folder + "\\" + f.Name;
    if (f.Attr & faDirectory)
      FindDesktopFiles(path, found, depth + 1);
    else if (f.Name.find("wine-extension-") != std::string::npos ||
             (f.Name.size() > 8 && SameText(f.Name.substr(f.Name.size() - 8), ".desktop")))
      found.push_back(path);
  }
  FindClose(f);
}

class Association : public TAppKeyCase {
protected:
  Association() {
    TRegistry reg;
    reg.SetRootKey(rkClassesRoot);
    HadClass = reg.KeyExists("\\Tarnquill");
    Clean();
    Application->SetMessageBoxFunc([this](const std::string& text, const std::string&, unsigned) {
      Boxes.push_back(text);
      return IDOK;
    });
  }
  ~Association() override {
    Clean();
    if (!HadClass) {
      TRegistry reg;
      reg.SetRootKey(rkClassesRoot);
      reg.DeleteKey("\\Tarnquill");
    }
    Application->SetMessageBoxFunc(nullptr);
  }
  void Clean() {
    TRegistry reg;
    reg.SetRootKey(rkClassesRoot);
    for (const char* e : kExtensions) reg.DeleteKey(std::string("\\") + e);
  }
  bool HadClass = false;
  std::vector<std::string> Boxes;
};

TEST_F(Association, WritesTheQuotedCommandOnceAndLeavesTheHostDesktopAlone) {
  {
    TRegistry reg;
    reg.SetRootKey(rkClassesRoot);
    ASSERT_TRUE(reg.OpenKey("\\.tqassoca", true));
    reg.WriteString("", "OtherEditor");
  }
  TData* data = CreateData(Application);
  auto* setup = new TSetup(Application, data);
  setup->TypeDescription->SetText("TQ Test Files");
  setup->TypeExtension1->SetText("tqassoca");
  setup->TypeExtension2->SetText("tq assoc");  // a blank
  setup->TypeExtension3->SetText("*.x");
  setup->TypeExtension4->SetText("tqassocb");
  EXPECT_TRUE(setup->AssociateTypes());
  EXPECT_TRUE(setup->AssociateTypes()) << "again";
  EXPECT_TRUE(Boxes.empty());

  EXPECT_EQ(ClassDefault(".tqassoca"), "Tarnquill");
  EXPECT_EQ(ClassDefault(".tqassocb"), "Tarnquill");
  EXPECT_EQ(ClassDefault(".tq assoc"), "<none>");
  EXPECT_EQ(ClassDefault("Tarnquill"), "TQ Test Files");
  char exe[MAX_PATH];
  ::GetModuleFileNameA(nullptr, exe, sizeof exe);
  EXPECT_EQ(ClassDefault("Tarnquill\\shell\\open\\command"), "\"" + std::string(exe) + "\" \"%1\"");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Uninstall"));
  EXPECT_EQ(reg.ReadString(".tqassoca"), "OtherEditor");
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(names.GetCount(), 2) << "one record per extension";
  delete setup;
  delete data;

  PumpFor(500);  // give a menu builder, were one started, time to write
  std::vector<std::string> found;
  FindDesktopFiles(UnixFolder("XDG_DATA_HOME"), found);
  FindDesktopFiles(UnixFolder("XDG_CONFIG_HOME"), found);
  FindDesktopFiles(UnixFolder("HOME", "/.local/share/applications"), found);
  FindDesktopFiles(UnixFolder("HOME", "/.local/share/mime"), found);
  EXPECT_TRUE(found.empty()) << found.front();
  EXPECT_FALSE(UnixFolder("XDG_DATA_HOME").empty()) << "the run sets the XDG folders";
}

}  // namespace
