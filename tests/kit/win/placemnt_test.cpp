// Form placement and storage on real forms under Wine (1280x1024, 96 DPI, no
// window manager): saving on close, restoring when shown, the registry's
// values and the placement the system reports, size limits by real messages.
#include "kit/win/Placemnt.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Registry.h"
#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

class TPlacedForm : public TForm {
public:
  TPlacedForm(const std::string& key, TFormBorderStyle border = bsSizeable, bool late = false) : TForm(nullptr) {
    SetBorderStyle(border);
    Storage = new TFormStorage(this);
    Storage->SetUseRegistry(true);
    Storage->SetIniFileName(key);
    Storage->SetIniSection("Placed");
    Storage->GetStoredValues()->Add("FontName");
    Storage->SetHookWhenWindowMade(late);
    Storage->Loaded();
  }
  TFormStorage* Storage;
};

// Made hidden like the program's start-up dialogs: no window until shown.
class TLateForm : public TPlacedForm {
public:
  explicit TLateForm(const std::string& key) : TPlacedForm(key, bsSizeable, true) {}

protected:
  void CreateWnd() override {
    ++WindowsMade;
    TForm::CreateWnd();
    Storage->FormWindowCreated();
  }

public:
  static inline int WindowsMade = 0;
};

class FormPlacement : public ::testing::Test {
protected:
  FormPlacement() { TRegistry().DeleteKey("\\" + Key); }
  ~FormPlacement() override { TRegistry().DeleteKey("\\" + Key); }
  std::string Value(const std::string& name) {
    TRegistry reg;
    if (!reg.OpenKeyReadOnly("\\" + Key + "\\Placed")) return "<no key>";
    return reg.ValueExists(name) ? reg.ReadString(name) : "<none>";
  }
  void Put(const std::string& name, const std::string& value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\" + Key + "\\Placed", true));
    reg.WriteString(name, value);
  }
  static RECT Normal(TForm& form) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ::GetWindowPlacement(form.GetHandle(), &wp);
    return wp.rcNormalPosition;
  }
  std::string Key = std::string("Software\\Tarnquill\\Test\\placemnt\\") +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(FormPlacement, AFormComesBackWhereItWasClosed) {
  {
    TPlacedForm form(Key);
    form.Show();
    form.SetBounds(100, 120, 300, 200);
    form.Storage->GetStoredValues()->GetStoredValue("FontName")->SetValue(std::string("Courier New"));
    form.Close();
  }
  EXPECT_EQ(Value("NormPos(1280x1024)"), "100,120,400,320");
  EXPECT_EQ(Value("NormPos"), "100,120,400,320");
  EXPECT_EQ(Value("PixelsPerInch"), "96");
  EXPECT_EQ(Value("FormVersion"), "0");
  EXPECT_EQ(Value("ShowCmd"), "1");
  EXPECT_EQ(Value("Visible"), "0") << "closed before it was destroyed";
  EXPECT_EQ(Value("FontName"), "Courier New");

  TPlacedForm again(Key);
  again.Show();
  RECT r = Normal(again);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right, 400);
  EXPECT_EQ(r.bottom, 320);
  EXPECT_EQ(again.GetLeft(), 100);
  EXPECT_EQ(again.GetWidth(), 300);
  EXPECT_EQ(again.Storage->GetStoredValues()->GetStoredValue("FontName")->GetValue().ToString(), "Courier New");
}

TEST_F(FormPlacement, StoredValuesThatMustNotBeTakenAsTheyStand) {
  struct {
    const char* What;
    const char* Suffixed;  // NormPos(1280x1024), or nullptr
    const char* Plain;
    TFormBorderStyle Border;
    RECT Expected;
  } cases[] = {
      {"caption above the screen comes back reachable", nullptr, "200,-100,500,200", bsSizeable, {200, 0, 500, 300}},
      {"wholly off the screen", nullptr, "3000,3000,3300,3200", bsSizeable, {980, 824, 1280, 1024}},
      {"another resolution: the plain value", nullptr, "40,50,440,350", bsSizeable, {40, 50, 440, 350}},
      {"this resolution's own value first", "60,70,460,370", "1,1,2,2", bsSizeable, {60, 70, 460, 370}},
      {"a dialog keeps its designed size", nullptr, "50,60,1000,900", bsDialog, {50, 60, 370, 300}},
  };
  for (const auto& c : cases) {
    TRegistry().DeleteKey("\\" + Key);
    Put("PixelsPerInch", "96");
    Put("NormPos(800x600)", "9,9,99,99");
    if (c.Suffixed) Put("NormPos(1280x1024)", c.Suffixed);
    Put("NormPos", c.Plain);
    TPlacedForm form(Key, c.Border);
    form.Show();
    RECT r = Normal(form);
    EXPECT_EQ(r.left, c.Expected.left) << c.What;
    EXPECT_EQ(r.top, c.Expected.top) << c.What;
    EXPECT_EQ(r.right, c.Expected.right) << c.What;
    EXPECT_EQ(r.bottom, c.Expected.bottom) << c.What;
  }

  // Data of another resolution or an older version are not used at all.
  TRegistry().DeleteKey("\\" + Key);
  Put("PixelsPerInch", "120");
  Put("NormPos", "10,10,200,200");
  {
    TPlacedForm form(Key);
    form.SetBounds(300, 300, 320, 240);
    form.Show();
    EXPECT_EQ(Normal(form).left, 300);
  }
  Put("PixelsPerInch", "96");
  Put("FormVersion", "1");
  TPlacedForm form(Key);
  form.Storage->SetVersion(2);
  form.SetBounds(300, 300, 320, 240);
  form.Show();
  EXPECT_EQ(Normal(form).left, 300);
}

// A component that refers to a component of any form.
class TPointer : public TComponent {
public:
  explicit TPointer(TComponent* owner) : TComponent(owner) { SetName("Pointer"); }
  TComponent* Target = nullptr;
  TComponent* GetTarget() const { return Target; }
  void SetTarget(TComponent* c) { Target = c; }
  const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TPointer", &TComponent::StaticClassInfo())
                                       .Object("Target", &TPointer::GetTarget, &TPointer::SetTarget);
    return info;
  }
};

TEST_F(FormPlacement, AReferenceToAnotherFormComesBack) {
  TForm other(nullptr);
  other.SetName("OtherForm");
  auto* edit = new TComponent(&other);
  edit->SetName("Edit1");
  {
    TPlacedForm form(Key);
    auto* pointer = new TPointer(&form);
    form.Storage->GetStoredProps()->Add("Pointer.Target");
    form.Show();
    pointer->Target = edit;
    form.Close();
  }
  EXPECT_EQ(Value("Pointer_Target"), "OtherForm.Edit1");

  TPlacedForm again(Key);
  auto* pointer = new TPointer(&again);
  again.Storage->GetStoredProps()->Add("Pointer.Target");
  again.Show();
  EXPECT_EQ(pointer->Target, edit);
}

TEST_F(FormPlacement, ARestoreCreatesNoKeyAndADestroyedFormWasVisible) {
  {
    TPlacedForm form(Key);
    form.Show();
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists("\\" + Key)) << "restoring only reads";
  }
  EXPECT_EQ(Value("Visible"), "1") << "open when the program ended";

  // A form that never restored does not overwrite what is stored.
  Put("NormPos", "1,2,3,4");
  {
    TPlacedForm form(Key);
    form.Storage->SaveFormPlacement();
  }
  EXPECT_EQ(Value("NormPos"), "1,2,3,4");
}

TEST_F(FormPlacement, ShowCommandTwoOpensAFormMinimized) {
  TForm mainForm(nullptr);
  Application->SetMainForm(&mainForm);
  Put("ShowCmd", "2");
  {
    TPlacedForm form(Key);
    form.Show();
    EXPECT_TRUE(::IsIconic(form.GetHandle()));
  }
  Application->SetMainForm(nullptr);
}

TEST_F(FormPlacement, PreventResizeAndLimitsActOnRealMessages) {
  TPlacedForm form(Key);
  form.Show();
  form.SetBounds(100, 100, 300, 200);
  HWND h = form.GetHandle();
  form.Storage->SetPreventResize(true);
  EXPECT_FALSE(::GetWindowLongPtrA(h, GWL_STYLE) & WS_MAXIMIZEBOX);
  RECT w;
  ::GetWindowRect(h, &w);
  LRESULT edge = ::SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(w.right - 1, (w.top + w.bottom) / 2));
  EXPECT_EQ(edge, HTNOWHERE);
  ::SetWindowPos(h, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
  ::GetWindowRect(h, &w);
  EXPECT_EQ(w.right - w.left, 300);
  EXPECT_EQ(w.bottom - w.top, 200);
  HMENU sys = ::GetSystemMenu(h, FALSE);
  ::SendMessageA(h, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sys), MAKELPARAM(0, TRUE));
  EXPECT_TRUE(::GetMenuState(sys, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(::GetMenuState(sys, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);

  form.Storage->SetPreventResize(false);
  EXPECT_TRUE(::GetWindowLongPtrA(h, GWL_STYLE) & WS_MAXIMIZEBOX) << "the zoom box comes back";
  form.Storage->GetMinMaxInfo()->Set(TWinMinMaxInfo::MaxTrackWidth, 400);
  form.Storage->GetMinMaxInfo()->Set(TWinMinMaxInfo::MinTrackHeight, 150);
  ::SetWindowPos(h, nullptr, 0, 0, 800, 100, SWP_NOMOVE | SWP_NOZORDER);
  ::GetWindowRect(h, &w);
  EXPECT_EQ(w.right - w.left, 400);
  EXPECT_EQ(w.bottom - w.top, 150);
}

TEST_F(FormPlacement, AHiddenFormWaitsForItsWindowYetSavesAndHooksAsBefore) {
  TLateForm::WindowsMade = 0;
  {
    TLateForm form(Key);
    form.SetBounds(100, 120, 300, 200);
    // Like the options dialog: values only, so restoring needs no window.
    form.Storage->SetOptions(TPlacementOptions());
    form.Storage->RestoreFormPlacement();
    form.Storage->GetStoredValues()->GetStoredValue("FontName")->SetValue(std::string("Courier New"));
    EXPECT_FALSE(form.HandleAllocated()) << "storage alone makes no window";
  }
  EXPECT_EQ(TLateForm::WindowsMade, 0) << "saving a never-shown form makes no window";
  EXPECT_EQ(Value("NormPos"), "100,120,400,320") << "the place it would have had";
  EXPECT_EQ(Value("ShowCmd"), "1");
  EXPECT_EQ(Value("Visible"), "1") << "saved when destroyed";
  EXPECT_EQ(Value("FontName"), "Courier New");

  // Shown later: the stored place and the window hook both apply.
  TLateForm form(Key);
  EXPECT_FALSE(form.HandleAllocated());
  form.Show();
  HWND h = form.GetHandle();
  RECT r = Normal(form);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.bottom, 320);
  form.Storage->SetPreventResize(true);
  EXPECT_FALSE(::GetWindowLongPtrA(h, GWL_STYLE) & WS_MAXIMIZEBOX);
  RECT w;
  ::GetWindowRect(h, &w);
  EXPECT_EQ(::SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(w.right - 1, (w.top + w.bottom) / 2)), HTNOWHERE);
}

}  // namespace
