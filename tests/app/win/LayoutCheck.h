// The layout rules every form of the program keeps, checked on its real
// windows: no two shown sibling controls overlap, every control lies inside
// its parent's client area, no caption is wider than its control (measured in
// the control's own font), and every tool-bar button lies inside its bar.
// Every page of a page control or notebook is shown in turn and checked, so
// the options dialog's hidden pages are checked too.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/GdiCanvas.h"
#include "platform/win/StdCtrls.h"
#include "platform/win/ToolWin.h"
#include "platform/win/Screenshot.h"
#include "platform/win/WinTestSupport.h"

// Sibling pairs (by Name, either order) that stand on each other on purpose.
using TOverlapAllowance = std::set<std::pair<std::string, std::string>>;

class TLayoutCheck {
public:
  explicit TLayoutCheck(TOverlapAllowance allowed = {}) : FAllowed(std::move(allowed)) {}

  // Every fault of the form as it stands, one line each ("form.control: what").
  std::vector<std::string> Check(TWinControl* form) {
    FFaults.clear();
    Walk(form);
    return FFaults;
  }

  // The width a caption needs in the control's font; 0 for a control whose
  // caption is not measured (an edit's text, a word-wrapped label).
  static int NeededWidth(TControl* c) {
    const std::string text = Plain(c->GetCaption());
    if (text.empty()) return 0;
    if (auto* label = dynamic_cast<TLabel*>(c)) {
      if (label->GetWordWrap()) return 0;
      return TextWidth(AcquireFont(label->GetFont())->Get(), text);
    }
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w) return 0;
    const bool check = dynamic_cast<TCheckBox*>(c) || dynamic_cast<TRadioButton*>(c);
    const bool button = dynamic_cast<TButton*>(c) != nullptr;
    const bool group = dynamic_cast<TGroupBox*>(c) != nullptr;
    if (!check && !button && !group) return 0;
    if (::GetWindowLongA(w->GetHandle(), GWL_STYLE) & BS_MULTILINE) return 0;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(w->GetHandle(), WM_GETFONT, 0, 0));
    const int width = TextWidth(font, text);
    // A check box or radio button: its box, the gap after it, the caption.
    if (check) return ::GetSystemMetrics(SM_CXMENUCHECK) + 4 + width;
    // A button's caption stands clear of its raised edge.
    if (button) return width + 8;
    // A group box's caption starts after a short stretch of its frame.
    return width + 16;
  }

  static std::string Plain(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
      if (caption[i] == '&' && i + 1 < caption.size()) ++i;
      out += caption[i];
    }
    return out;
  }

  static int TextWidth(HFONT font, const std::string& text) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return size.cx;
  }

private:
  static std::string Named(TControl* c) {
    std::string name = c->GetName().empty() ? "(" + std::string(typeid(*c).name()) + ")" : c->GetName();
    if (!c->GetCaption().empty()) name += " \"" + c->GetCaption() + "\"";
    return name;
  }
  void Fault(TControl* c, const std::string& what) {
    TForm* form = GetParentForm(c);
    FFaults.push_back((form ? form->GetName() : std::string("?")) + "." + Named(c) + ": " + what);
  }
  bool Allowed(TControl* a, TControl* b) const {
    return FAllowed.count({a->GetName(), b->GetName()}) || FAllowed.count({b->GetName(), a->GetName()});
  }
  static std::string Rect(const TRect& r) {
    return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + ")-(" + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom) + ")";
  }

  // Where children may stand: the client area, inside a group box's frame.
  static TRect Room(TWinControl* parent) {
    const TRect client = parent->GetClientRect();
    if (dynamic_cast<TGroupBox*>(parent))
      return TRect(client.Left + 2, client.Top + 8, client.Right - 2, client.Bottom - 2);
    return client;
  }

  // Checks the shown children of parent; a page control or notebook shows
  // each of its pages in turn.
  void Walk(TWinControl* parent) {
    if (auto* pages = dynamic_cast<TPageControl*>(parent)) {
      TTabSheet* was = pages->GetActivePage();
      for (int i = 0; i < pages->GetPageCount(); ++i) {
        pages->SetActivePageIndex(i);
        Application->ProcessMessages();
        Children(parent);
      }
      pages->SetActivePage(was);
      return;
    }
    if (auto* book = dynamic_cast<TNotebook*>(parent)) {
      const int was = book->GetPageIndex();
      for (int i = 0; i < book->GetPageCount(); ++i) {
        book->SetPageIndex(i);
        Application->ProcessMessages();
        Children(parent);
      }
      book->SetPageIndex(was);
      return;
    }
    Children(parent);
  }

  void Children(TWinControl* parent) {
    std::vector<TControl*> shown;
    for (int i = 0; i < parent->GetControlCount(); ++i)
      if (parent->GetControl(i)->GetVisible()) shown.push_back(parent->GetControl(i));
    const TRect room = Room(parent);
    for (size_t i = 0; i < shown.size(); ++i) {
      TControl* c = shown[i];
      const TRect r = c->GetBoundsRect();
      if (r.Left < room.Left || r.Top < room.Top || r.Right > room.Right || r.Bottom > room.Bottom)
        Fault(c, Rect(r) + " outside its parent's room " + Rect(room));
      const int need = NeededWidth(c);
      if (need > c->GetWidth())
        Fault(c, "caption needs " + std::to_string(need) + " px, the control is " + std::to_string(c->GetWidth()));
      for (size_t j = i + 1; j < shown.size(); ++j) {
        const TRect o = shown[j]->GetBoundsRect();
        const bool overlap = r.Left < o.Right && o.Left < r.Right && r.Top < o.Bottom && o.Top < r.Bottom;
        if (overlap && r.Width() > 0 && r.Height() > 0 && o.Width() > 0 && o.Height() > 0 &&
            !Allowed(c, shown[j]))
          Fault(c, Rect(r) + " overlaps " + Named(shown[j]) + " " + Rect(o));
      }
      if (auto* bar = dynamic_cast<TToolBar*>(c)) Buttons(bar);
      if (auto* w = dynamic_cast<TWinControl*>(c)) Walk(w);
    }
  }

  // Every shown button of a tool bar can be reached: it lies inside the bar.
  void Buttons(TToolBar* bar) {
    if (!bar->HandleAllocated()) return;
    const TRect client = bar->GetClientRect();
    for (int i = 0; i < bar->GetButtonCount(); ++i) {
      TToolButton* b = bar->GetButton(i);
      const TRect r = bar->GetButtonRect(i);
      if (r.Right > client.Width() || r.Bottom > client.Height() || r.Left < 0 || r.Top < 0)
        Fault(bar, "button " + b->GetName() + " " + Rect(r) + " outside the bar's client area 0,0-" +
                       std::to_string(client.Width()) + "," + std::to_string(client.Height()));
    }
  }

  TOverlapAllowance FAllowed;
  std::vector<std::string> FFaults;
};

// Paints wnd and, over it, its shown children (bottom of the z-order first)
// into dc at (x, y). Wine's WM_PRINT and PrintWindow leave the children out,
// so each window prints itself into a bitmap of its own size (which also
// keeps a window from painting outside itself).
inline void PrintTree(HWND wnd, HDC dc, int x, int y) {
  RECT outer{};
  ::GetWindowRect(wnd, &outer);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  if (w <= 0 || h <= 0) return;
  TBitmap own(w, h);
  ::SendMessageA(wnd, WM_PRINT, reinterpret_cast<WPARAM>(own.DC()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  HWND child = ::GetWindow(wnd, GW_CHILD);
  for (child = child ? ::GetWindow(child, GW_HWNDLAST) : nullptr; child; child = ::GetWindow(child, GW_HWNDPREV)) {
    if (!::IsWindowVisible(child)) continue;
    RECT r{};
    ::GetWindowRect(child, &r);
    PrintTree(child, own.DC(), r.left - outer.left, r.top - outer.top);
  }
  ::BitBlt(dc, x, y, w, h, own.DC(), 0, 0, SRCCOPY);
}

// The window itself as it paints (not the screen, which other tests' windows
// share), saved as a BMP in the test's folder for a person to look at.
inline void SaveWindowCapture(HWND wnd, const std::string& fileName) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  TBitmap bmp(r.right - r.left, r.bottom - r.top);
  PrintTree(wnd, bmp.DC(), 0, 0);
  SaveBitmap(bmp, fileName);
}
