// Filling a report list view with 10,000 rows of four columns: through our
// TListView inside BeginUpdate/EndUpdate, against the same rows sent to a
// plain list-view window as raw messages, in the same run. The file dialog
// lists whole folders this way.
//   usage: listview_wine_fill_bench
// Prints "listview-fill-10k-ratio: <ratio>" and "listview-fill-10k-s:
// <seconds>" (the wrapper's time) on stdout; best of five rounds each.
#include "platform/win/Application.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/Forms.h"
#include "WineBench.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 10000;

struct Row {
  std::string Cells[4];
};

std::vector<Row> MakeRows() {
  std::vector<Row> rows(kRows);
  for (int i = 0; i < kRows; ++i) {
    rows[i].Cells[0] = "file" + std::to_string(i) + ".txt";
    rows[i].Cells[1] = std::to_string(i * 37 % 9000) + "KB";
    rows[i].Cells[2] = "Text Document";
    rows[i].Cells[3] = "2026-12-10 04:" + std::to_string(10 + i % 50);
  }
  return rows;
}

const char* const kColumns[4] = {"Name", "Size", "Type", "Modified"};

double FillWrapped(TForm& form, const std::vector<Row>& rows) {
  auto* list = new TListView(&form);
  list->SetAlign(alClient);
  list->SetViewStyle(vsReport);
  for (const char* c : kColumns) list->AddColumn(c, 100);
  list->SetParent(&form);
  list->HandleNeeded();
  const double s = wine_bench::Time([&] {
    list->BeginUpdate();
    for (const Row& r : rows) list->AddItem(r.Cells[0], {r.Cells[1], r.Cells[2], r.Cells[3]});
    list->EndUpdate();
    ::UpdateWindow(list->GetHandle());
  });
  delete list;
  return s;
}

double FillRaw(TForm& form, const std::vector<Row>& rows) {
  RECT rc{};
  ::GetClientRect(form.GetHandle(), &rc);
  HWND wnd = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                               WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHAREIMAGELISTS |
                                   LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                               0, 0, rc.right, rc.bottom, form.GetHandle(), nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(kColumns[i]);
    col.cx = 100;
    col.iSubItem = i;
    ::SendMessageA(wnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
  const double s = wine_bench::Time([&] {
    ::SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(wnd, LVM_SETITEMCOUNT, rows.size(), 0);
    for (int i = 0; i < kRows; ++i) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<char*>(rows[i].Cells[0].c_str());
      ::SendMessageA(wnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      for (int k = 1; k < 4; ++k) {
        LVITEMA sub{};
        sub.iSubItem = k;
        sub.pszText = const_cast<char*>(rows[i].Cells[k].c_str());
        ::SendMessageA(wnd, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
      }
    }
    ::SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(wnd, nullptr, TRUE);
    ::UpdateWindow(wnd);
  });
  ::DestroyWindow(wnd);
  return s;
}

}  // namespace

int main() {
  return wine_bench::Run([] {
    TApplication application;
    InitCommonControlClasses();
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 800, 600);
    form.Show();
    application.ProcessMessages();
    const std::vector<Row> rows = MakeRows();
    double wrapped = 0, raw = 0;
    // Each round's window goes, and its messages with it, before the next.
    auto pumped = [&](double seconds) {
      application.ProcessMessages();
      return seconds;
    };
    wine_bench::BestInTurns(
        5, [&] { return pumped(FillRaw(form, rows)); }, [&] { return pumped(FillWrapped(form, rows)); }, raw,
        wrapped);
    wine_bench::PrintRatio("listview-fill-10k-ratio", wrapped, raw);
    std::printf("listview-fill-10k-s: %.4f\n", wrapped);
    return 0;
  });
}
