// Paging through a 100 MB file in the hex view's window: the mean time of a
// Page Down and the paint that follows, over 200 pages, in a 1024 x 768
// view in Fixedsys 11. Against it, in the same program: painting the same
// rows' text as one ExtTextOut per row in the same window.
//   usage: hexedit_wine_page_bench <file>
// Prints "hex-wine-page-ms: <ms>" and "hex-wine-page-ratio: <ratio>".
#include <cstdio>
#include <string>

#include "hexedit/win/HexEditWindow.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"

namespace {

double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return t;
}

constexpr int kPages = 200;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
    return 2;
  }
  try {
    TApplication application;
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 1024, 768);
    auto* view = new THexEditWindow(&form);
    view->SetAlign(alClient);
    view->SetParent(&form);
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

    const LARGE_INTEGER start = Now();
    for (int i = 0; i < kPages; ++i) {
      ::SendMessageA(wnd, WM_KEYDOWN, VK_NEXT, 1);
      ::UpdateWindow(wnd);
    }
    ::GdiFlush();
    const double pageMs = Ms(start, Now()) / kPages;
    if (hex->Grid().GetTopRow() == 0) {
      std::fprintf(stderr, "the view did not move\n");
      return 1;
    }

    // The same rows as plain text, one ExtTextOut per row.
    const int rows = hex->Grid().VisibleRowCount();
    const int perLine = hex->GetBytesPerLine();
    HDC dc = ::GetDC(wnd);
    HFONT gdiFont = ::CreateFontA(font.Height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                  FIXED_PITCH, "Fixedsys");
    HGDIOBJ old = ::SelectObject(dc, gdiFont);
    static const char kDigits[] = "0123456789ABCDEF";
    const LARGE_INTEGER plainStart = Now();
    for (int page = 0; page < kPages; ++page) {
      const int top = (page + 1) * (rows - 1);
      for (int r = 0; r < rows; ++r) {
        const std::string bytes = hex->GetBytes((top + r) * perLine, perLine);
        std::string line = "0x" + IntToHex((top + r) * perLine, 7) + ":  ";
        for (unsigned char b : bytes) {
          line += kDigits[b >> 4];
          line += kDigits[b & 15];
          line += ' ';
        }
        line += ' ';
        line += bytes;
        RECT rc{0, r * hex->GetCharHeight(), 1024, (r + 1) * hex->GetCharHeight()};
        ::ExtTextOutA(dc, 0, rc.top, ETO_OPAQUE | ETO_CLIPPED, &rc, line.data(), UINT(line.size()),
                      nullptr);
      }
    }
    ::GdiFlush();
    const double plainMs = Ms(plainStart, Now()) / kPages;
    ::SelectObject(dc, old);
    ::DeleteObject(gdiFont);
    ::ReleaseDC(wnd, dc);

    std::printf("hex-wine-page-ms: %.3f\n", pageMs);
    std::printf("hex-wine-page-plain-ms: %.3f\n", plainMs);
    std::printf("hex-wine-page-ratio: %.3f\n", pageMs / plainMs);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
