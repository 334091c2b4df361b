// Paging through a 100 MB file in the hex view's window: the mean time of a
// Page Down and the paint that follows, over 200 pages, in a 1024 x 768
// view in Fixedsys 11. Against it, in the same program: painting the same
// rows' text as one ExtTextOut per row in the same window. And, since a
// page move of ours also pays for the window's paint cycle (the update
// region, the paint messages, Wine's copy of the window to the screen),
// the same rows once more painted by a window of their own through that
// cycle.
//   usage: hexedit_wine_page_bench <file>
// Prints "hex-wine-page-ms: <ms>" and "hex-wine-page-ratio: <ratio>", and
// "hex-wine-page-cycle-ratio: <ratio>" over the plain rows' paint cycle.
#include <cstdio>
#include <string>

#include "hexedit/win/HexEditWindow.h"
#include "platform/win/Application.h"
#include "WineBench.h"

namespace {

constexpr int kPages = 200;

// The mean milliseconds of one of the kPages pages that pages paints, until
// GDI has drawn them.
template <class F> double PerPageMs(F&& pages) {
  return 1000.0 *
         wine_bench::Time([&] {
           pages();
           ::GdiFlush();
         }) /
         kPages;
}

// A row of the hex view as plain text: offset, digits and characters.
std::string PlainRow(THexEditor* hex, int row) {
  static const char kDigits[] = "0123456789ABCDEF";
  const int perLine = hex->GetBytesPerLine();
  const std::string bytes = hex->GetBytes(row * perLine, perLine);
  std::string line = "0x" + IntToHex(row * perLine, 7) + ":  ";
  for (unsigned char b : bytes) {
    line += kDigits[b >> 4];
    line += kDigits[b & 15];
    line += ' ';
  }
  line += ' ';
  line += bytes;
  return line;
}

// Paints rows from Top on, one ExtTextOut per row.
class TPlainRows : public TCustomControl {
public:
  TPlainRows(TComponent* owner, THexEditor* hex) : TCustomControl(owner), FHex(hex) {}
  int Top = 0;

protected:
  void Paint() override {
    ICanvas& canvas = *GetCanvas();
    canvas.SetFont(FHex->GetFont());
    canvas.SetBrushColor(clWhite);
    const int height = FHex->GetCharHeight();
    for (int r = 0; r * height < GetClientHeight(); ++r) {
      const TRect rect(0, r * height, GetClientWidth(), (r + 1) * height);
      canvas.ExtTextOut(0, rect.Top, etoOpaque | etoClipped, &rect, PlainRow(FHex, Top + r), nullptr);
    }
  }

private:
  THexEditor* FHex;
};

}  // namespace

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 1, "<file>", [&] {
    TApplication application;
    TForm form(nullptr);
    auto* view = new THexEditWindow(&form);
    wine_bench::Fill(form, view, 1024, 768);
    THexEditor* hex = view->GetHex();
    hex->SetBytesPerColumn(1);
    TFontData font = hex->GetFont();
    font.Name = "Fixedsys";
    font.Height = FontSizeToHeight(11, 96);
    hex->SetFont(font);
    form.Show();
    HWND wnd = view->GetHandle();
    ::SetFocus(wnd);
    if (!hex->LoadFromFile(argv[1])) {
      std::fprintf(stderr, "cannot load %s\n", argv[1]);
      return 1;
    }
    ::UpdateWindow(wnd);
    application.ProcessMessages();

    const double pageMs = PerPageMs([&] {
      for (int i = 0; i < kPages; ++i) {
        ::SendMessageA(wnd, WM_KEYDOWN, VK_NEXT, 1);
        ::UpdateWindow(wnd);
      }
    });
    if (hex->Grid().GetTopRow() == 0) {
      std::fprintf(stderr, "the view did not move\n");
      return 1;
    }

    // The same rows as plain text, one ExtTextOut per row.
    const int rows = hex->Grid().VisibleRowCount();
    HDC dc = ::GetDC(wnd);
    HFONT gdiFont = ::CreateFontA(font.Height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                  FIXED_PITCH, "Fixedsys");
    HGDIOBJ old = ::SelectObject(dc, gdiFont);
    const double plainMs = PerPageMs([&] {
      for (int page = 0; page < kPages; ++page) {
        const int top = (page + 1) * (rows - 1);
        for (int r = 0; r < rows; ++r) {
          const std::string line = PlainRow(hex, top + r);
          RECT rc{0, r * hex->GetCharHeight(), 1024, (r + 1) * hex->GetCharHeight()};
          ::ExtTextOutA(dc, 0, rc.top, ETO_OPAQUE | ETO_CLIPPED, &rc, line.data(), UINT(line.size()),
                        nullptr);
        }
      }
    });
    ::SelectObject(dc, old);
    ::DeleteObject(gdiFont);
    ::ReleaseDC(wnd, dc);

    // The same rows through a window's paint cycle, in a form of their own
    // of the same size.
    TForm plainForm(nullptr);
    auto* plain = new TPlainRows(&plainForm, hex);
    wine_bench::Fill(plainForm, plain, 1024, 768);
    form.Hide();
    plainForm.Show();
    HWND plainWnd = plain->GetHandle();
    ::UpdateWindow(plainWnd);
    application.ProcessMessages();
    const double cycleMs = PerPageMs([&] {
      for (int page = 0; page < kPages; ++page) {
        plain->Top = (page + 1) * (rows - 1);
        ::InvalidateRect(plainWnd, nullptr, FALSE);
        ::UpdateWindow(plainWnd);
      }
    });

    std::printf("hex-wine-page-ms: %.3f\n", pageMs);
    std::printf("hex-wine-page-plain-ms: %.3f\n", plainMs);
    std::printf("hex-wine-page-ratio: %.3f\n", pageMs / plainMs);
    std::printf("hex-wine-page-cycle-plain-ms: %.3f\n", cycleMs);
    std::printf("hex-wine-page-cycle-ratio: %.3f\n", pageMs / cycleMs);
    return 0;
  });
}
