// The standard and extra controls in real windows: state set before the
// window exists and kept across RecreateWnd, which changes from code fire
// which events, every published property through its text form, and real
// input into them.
#include "platform/win/Application.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/Forms.h"
#include "platform/win/PropRoundTrip.h"
#include "platform/win/Spin.h"
#include "platform/win/StdCtrls.h"
#include "platform/win/WinTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

std::string WindowText(HWND w) {
  char buf[256] = {};
  ::GetWindowTextA(w, buf, sizeof buf);
  return buf;
}

LRESULT Send(TWinControl* c, UINT msg, WPARAM w = 0, LPARAM l = 0) {
  return ::SendMessageA(c->GetHandle(), msg, w, l);
}

bool HasStyle(TWinControl* c, DWORD style) {
  return (::GetWindowLongA(c->GetHandle(), GWL_STYLE) & style) == style;
}

struct TCase {
  const char* Name;
  std::function<TWinControl*(TForm*)> Make;  // sets state before any window
  std::function<void(TWinControl*)> Check;   // reads the window
};

}  // namespace

TEST(StdCtrls, StateSetBeforeTheWindowAppearsInItAndSurvivesRecreateWnd) {
  const std::vector<TCase> cases = {
      {"button",
       [](TForm* f) {
         auto* b = Make<TButton>(f).Parent(f).Caption("&Go").Get();
         b->SetDefault(true);
         return b;
       },
       [](TWinControl* c) {
         EXPECT_EQ(WindowText(c->GetHandle()), "&Go");
         EXPECT_TRUE(HasStyle(c, BS_DEFPUSHBUTTON));
       }},
      {"check box",
       [](TForm* f) {
         auto* b = Make<TCheckBox>(f).Parent(f).Caption("Wrap").Get();
         b->SetChecked(true);
         b->SetEnabled(false);
         return b;
       },
       [](TWinControl* c) {
         EXPECT_EQ(Send(c, BM_GETCHECK), BST_CHECKED);
         EXPECT_FALSE(::IsWindowEnabled(c->GetHandle()));
       }},
      {"radio button",
       [](TForm* f) {
         auto* b = Make<TRadioButton>(f).Parent(f).Get();
         b->SetChecked(true);
         return b;
       },
       [](TWinControl* c) { EXPECT_EQ(Send(c, BM_GETCHECK), BST_CHECKED); }},
      {"edit",
       [](TForm* f) {
         auto* e = Make<TEdit>(f).Parent(f).Text("secret").Get();
         e->SetMaxLength(9);
         e->SetReadOnly(true);
         e->SetPasswordChar('*');
         e->SetSelStart(1);
         e->SetSelLength(3);
         e->SetColor(clYellow);
         return e;
       },
       [](TWinControl* c) {
         auto* e = static_cast<TEdit*>(c);
         EXPECT_EQ(WindowText(c->GetHandle()), "secret");
         EXPECT_EQ(Send(c, EM_GETLIMITTEXT), 9);
         EXPECT_TRUE(HasStyle(c, ES_READONLY));
         EXPECT_EQ(Send(c, EM_GETPASSWORDCHAR), '*');
         EXPECT_EQ(e->GetSelText(), "ecr");
         // The colour answers the window's colour request through its parent.
         HDC dc = ::GetDC(c->GetHandle());
         ::SendMessageA(::GetParent(c->GetHandle()), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(c->GetHandle()));
         EXPECT_EQ(::GetBkColor(dc), RGB(255, 255, 0));
         ::ReleaseDC(c->GetHandle(), dc);
       }},
      {"upper-case edit",
       [](TForm* f) {
         auto* e = Make<TEdit>(f).Parent(f).Text("abc").Get();
         e->SetCharCase(ecUpperCase);
         return e;
       },
       [](TWinControl* c) {
         EXPECT_EQ(WindowText(c->GetHandle()), "ABC");
         EXPECT_TRUE(HasStyle(c, ES_UPPERCASE));
       }},
      {"memo",
       [](TForm* f) {
         auto* m = Make<TMemo>(f).Parent(f).Get();
         m->GetLines()->Add("one");
         m->GetLines()->Add("two");
         m->SetScrollBars(ssVertical);
         return m;
       },
       [](TWinControl* c) {
         EXPECT_EQ(WindowText(c->GetHandle()), "one\r\ntwo");
         EXPECT_TRUE(HasStyle(c, ES_MULTILINE | WS_VSCROLL));
         EXPECT_EQ(Send(c, EM_GETLINECOUNT), 2);
       }},
      {"drop-down list",
       [](TForm* f) {
         auto* b = Make<TComboBox>(f).Parent(f).Get();
         b->SetStyle(csDropDownList);
         b->GetItems()->SetText("red\r\ngreen\r\nblue\r\n");
         b->SetItemIndex(1);
         return b;
       },
       [](TWinControl* c) {
         EXPECT_EQ(Send(c, CB_GETCOUNT), 3);
         EXPECT_EQ(Send(c, CB_GETCURSEL), 1);
         EXPECT_EQ(WindowText(c->GetHandle()), "green");
         EXPECT_TRUE(HasStyle(c, CBS_DROPDOWNLIST));
       }},
      {"drop-down with free text",
       [](TForm* f) {
         auto* b = Make<TComboBox>(f).Parent(f).Text("typed").Get();
         b->GetItems()->Add("item");
         return b;
       },
       [](TWinControl* c) {
         EXPECT_EQ(WindowText(c->GetHandle()), "typed");
         EXPECT_EQ(Send(c, CB_GETCURSEL), CB_ERR);
         EXPECT_NE(static_cast<TComboBox*>(c)->GetEditHandle(), nullptr);
       }},
      {"sorted list box",
       [](TForm* f) {
         auto* b = Make<TListBox>(f).Parent(f).Get();
         b->GetItems()->SetText("pear\r\napple\r\nfig\r\n");
         b->SetSorted(true);
         b->SetItemIndex(2);
         return b;
       },
       [](TWinControl* c) {
         char item[16] = {};
         Send(c, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
         EXPECT_STREQ(item, "apple");
         EXPECT_EQ(Send(c, LB_GETCURSEL), 2);
       }},
      {"spin edit",
       [](TForm* f) {
         auto* s = Make<TSpinEdit>(f).Parent(f).Get();
         s->SetMinValue(1);
         s->SetMaxValue(10);
         s->SetValue(42);  // clamped
         return s;
       },
       [](TWinControl* c) {
         EXPECT_EQ(WindowText(c->GetHandle()), "10");
         EXPECT_NE(static_cast<TSpinEdit*>(c)->GetUpDownHandle(), nullptr);
       }},
      {"progress bar",
       [](TForm* f) {
         auto* p = Make<TProgressBar>(f).Parent(f).Get();
         p->SetMax(200);
         p->SetPosition(150);
         return p;
       },
       [](TWinControl* c) {
         EXPECT_EQ(Send(c, PBM_GETPOS), 150);
         EXPECT_EQ(Send(c, PBM_GETRANGE, FALSE), 200);
       }},
      {"radio group",
       [](TForm* f) {
         auto* g = Make<TRadioGroup>(f).Parent(f).Caption("Origin").Get();
         g->GetItems()->SetText("From cursor\r\nEntire scope\r\n");
         g->SetItemIndex(1);
         return g;
       },
       [](TWinControl* c) {
         auto* g = static_cast<TRadioGroup*>(c);
         EXPECT_EQ(WindowText(c->GetHandle()), "Origin");
         EXPECT_EQ(Send(g->GetButton(1), BM_GETCHECK), BST_CHECKED);
         EXPECT_EQ(Send(g->GetButton(0), BM_GETCHECK), BST_UNCHECKED);
       }},
      {"notebook",
       [](TForm* f) {
         auto* n = Make<TNotebook>(f).Parent(f).Bounds(0, 0, 100, 80).Get();
         n->GetPages()->SetText("General\r\nColors\r\n");
         n->SetActivePage("colors");
         return n;
       },
       [](TWinControl* c) {
         auto* n = static_cast<TNotebook*>(c);
         EXPECT_TRUE(::IsWindowVisible(n->FindPage("Colors")->GetHandle()));
         EXPECT_FALSE(::IsWindowVisible(n->FindPage("General")->GetHandle()));
         EXPECT_EQ(n->FindPage("Colors")->GetBoundsRect(), TRect(0, 0, 100, 80));
       }},
  };
  for (const TCase& tc : cases) {
    SCOPED_TRACE(tc.Name);
    auto form = std::make_unique<TForm>(nullptr);
    TWinControl* c = tc.Make(form.get());
    ASSERT_FALSE(c->HandleAllocated());
    form->Show();
    tc.Check(c);
    HWND first = c->GetHandle();
    c->RecreateWnd();
    ASSERT_NE(c->GetHandle(), first);
    tc.Check(c);
  }
}

TEST(StdCtrls, AVirtualListBoxDrawsOnlyTheRowsInViewFromItsData) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 300, 200);
  auto* list = Make<TListBox>(form.get()).Parent(form.get()).Bounds(0, 0, 200, 100).Get();
  list->SetStyle(lbVirtual);
  std::vector<int> asked;
  list->OnData = [&](TWinControl*, int index, std::string& data) {
    asked.push_back(index);
    data = "row " + std::to_string(index);
  };
  list->SetCount(100000);  // before the window exists
  form->Show();
  ::UpdateWindow(list->GetHandle());
  EXPECT_EQ(Send(list, LB_GETCOUNT), 100000);
  EXPECT_EQ(list->GetCount(), 100000);
  EXPECT_EQ(list->GetItems()->GetCount(), 0) << "no strings are kept";
  const int rowHeight = int(Send(list, LB_GETITEMHEIGHT));
  EXPECT_GT(rowHeight, 4) << "measured from the font";
  const int rows = 100 / rowHeight + 1;
  ASSERT_FALSE(asked.empty());
  for (int index : asked) EXPECT_LE(index, rows) << "only the rows on screen are drawn";

  asked.clear();
  list->SetTopIndex(50000);
  ::UpdateWindow(list->GetHandle());
  ASSERT_FALSE(asked.empty());
  for (int index : asked) EXPECT_TRUE(index >= 50000 && index <= 50000 + rows) << index;
  EXPECT_EQ(list->GetItemText(99999), "row 99999");
  EXPECT_EQ(list->GetItemText(100000), "");

  list->SetItemIndex(7);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 7);
  list->SetItemIndex(100000);
  EXPECT_EQ(list->GetItemIndex(), -1);
  list->SetItemIndex(7);
  list->SetCount(3);  // new rows: nothing selected, the top again
  EXPECT_EQ(list->GetItemIndex(), -1);
  EXPECT_EQ(Send(list, LB_GETCURSEL), LB_ERR);
  EXPECT_EQ(Send(list, LB_GETCOUNT), 3);
  EXPECT_EQ(Send(list, LB_GETTOPINDEX), 0);

  // Back to a standard box: its items count, the virtual count is ignored.
  list->SetStyle(lbStandard);
  list->GetItems()->SetText("a\r\nb\r\n");
  list->SetCount(50);
  EXPECT_EQ(list->GetCount(), 2);
  EXPECT_EQ(Send(list, LB_GETCOUNT), 2);
  EXPECT_EQ(list->GetItemText(1), "b");
}

TEST(StdCtrls, ChangesFromCodeFireOnlyTheEventsTheRulesName) {
  auto form = std::make_unique<TForm>(nullptr);
  std::vector<std::string> log;
  auto note = [&](const char* what) { return [&log, what](TObject*) { log.push_back(what); }; };
  auto* check = Make<TCheckBox>(form.get()).Parent(form.get()).Get();
  auto* r1 = Make<TRadioButton>(form.get()).Parent(form.get()).Get();
  auto* r2 = Make<TRadioButton>(form.get()).Parent(form.get()).Get();
  auto* group = Make<TRadioGroup>(form.get()).Parent(form.get()).Get();
  group->GetItems()->SetText("a\r\nb\r\n");
  auto* edit = Make<TEdit>(form.get()).Parent(form.get()).Get();
  auto* combo = Make<TComboBox>(form.get()).Parent(form.get()).Get();
  combo->GetItems()->SetText("a\r\nb\r\n");
  auto* list = Make<TListBox>(form.get()).Parent(form.get()).Get();
  list->GetItems()->SetText("a\r\nb\r\n");
  check->OnClick = note("check");
  r1->OnClick = note("r1");
  r2->OnClick = note("r2");
  group->OnClick = note("group");
  edit->OnChange = note("edit");
  combo->OnChange = note("combo change");
  combo->OnClick = note("combo click");
  list->OnClick = note("list");

  struct TStep {
    std::function<void()> Do;
    std::vector<std::string> Fires;
  };
  const std::vector<TStep> steps = {
      {[&] { check->SetChecked(true); }, {"check"}},
      {[&] { check->SetChecked(true); }, {}},
      {[&] { check->SetChecked(false); }, {"check"}},
      {[&] { r1->SetChecked(true); }, {"r1"}},
      {[&] { r2->SetChecked(true); }, {"r2"}},  // r1 unchecked silently
      {[&] { r2->SetChecked(false); }, {}},
      {[&] { group->SetItemIndex(1); }, {"group"}},
      {[&] { group->SetItemIndex(1); }, {}},
      {[&] { group->SetItemIndex(0); }, {"group"}},
      {[&] { edit->SetText("x"); }, {"edit"}},
      {[&] { edit->SetText("x"); }, {}},
      {[&] { combo->SetItemIndex(1); }, {}},
      {[&] { list->SetItemIndex(1); }, {}},
  };
  // The same with and without windows.
  for (bool windows : {false, true}) {
    SCOPED_TRACE(windows ? "with windows" : "without windows");
    if (windows) {
      check->SetChecked(false);
      r2->SetChecked(false);
      group->SetItemIndex(-1);
      edit->SetText("");
      form->Show();
    }
    for (size_t i = 0; i < steps.size(); ++i) {
      log.clear();
      steps[i].Do();
      EXPECT_EQ(log, steps[i].Fires) << "step " << i;
    }
    EXPECT_FALSE(r1->GetChecked());
    EXPECT_EQ(combo->GetText(), "b");
    EXPECT_EQ(list->GetItemIndex(), 1);
  }
  if (HasFatalFailure()) return;
  EXPECT_EQ(Send(r1, BM_GETCHECK), BST_UNCHECKED);
}

TEST(StdCtrls, EveryPublishedPropertyRoundTripsThroughText) {
  auto form = std::make_unique<TForm>(nullptr);
  std::vector<std::pair<TControl*, std::set<std::string>>> controls = {
      {new TLabel(form.get()), {}},
      {new TButton(form.get()), {}},
      {new TCheckBox(form.get()), {}},
      {new TRadioButton(form.get()), {}},
      {new TGroupBox(form.get()), {}},
      {new TEdit(form.get()), {}},
      {new TMemo(form.get()), {"Text", "CharCase"}},  // Lines is the same text; the case as an edit's
      {new TSpinEdit(form.get()), {"Text", "Value"}},
      {new TComboBox(form.get()), {"ItemIndex", "Text", "Height"}},  // its window fixes the height
      {new TListBox(form.get()), {"ItemIndex"}},
      {new TPanel(form.get()), {}},
      {new TNotebook(form.get()), {"PageIndex", "ActivePage"}},
      {new TRadioGroup(form.get()), {"ItemIndex"}},
      {new TImage(form.get()), {}},
      {new TProgressBar(form.get()), {"Position", "Min", "Max"}},
  };
  for (auto& [c, skip] : controls) c->SetParent(form.get());
  for (bool windows : {false, true}) {
    if (windows) {
      // The first pass left the edits upper-case, which their texts then follow.
      for (auto& [c, skip] : controls)
        if (IsPublishedProp(c, "CharCase")) SetPropText(c, "CharCase", "ecNormal");
      form->Show();
    }
    for (auto& [c, skip] : controls) {
      SCOPED_TRACE(c->ClassName());
      ExpectPropsRoundTrip(c, skip);
    }
  }
  // The ones kept to their own rules.
  auto* spin = static_cast<TSpinEdit*>(controls[7].first);
  SetPropText(spin, "MinValue", "0");
  SetPropText(spin, "MaxValue", "50");
  SetPropText(spin, "Value", "7");
  EXPECT_EQ(GetPropText(spin, "Value"), "7");
  EXPECT_EQ(GetPropText(spin, "Text"), "7");
  SetPropText(spin, "Value", "99");
  EXPECT_EQ(GetPropText(spin, "Value"), "50");
  auto* combo = static_cast<TComboBox*>(controls[8].first);
  SetPropText(combo, "Items", "x\r\ny\r\n");
  SetPropText(combo, "ItemIndex", "1");
  EXPECT_EQ(GetPropText(combo, "ItemIndex"), "1");
  EXPECT_EQ(GetPropText(combo, "Text"), "y");
  SetPropText(combo, "ItemIndex", "5");
  EXPECT_EQ(GetPropText(combo, "ItemIndex"), "-1");
  auto* notebook = static_cast<TNotebook*>(controls[11].first);
  SetPropText(notebook, "Pages", "One\r\nTwo\r\n");
  SetPropText(notebook, "ActivePage", "Two");
  EXPECT_EQ(GetPropText(notebook, "PageIndex"), "1");
  EXPECT_THROW(SetPropText(notebook, "ActivePage", "Three"), EInvalidOperation);
  auto* progress = static_cast<TProgressBar*>(controls[14].first);
  SetPropText(progress, "Max", "100");
  SetPropText(progress, "Position", "250");
  EXPECT_EQ(GetPropText(progress, "Position"), "100");
}
