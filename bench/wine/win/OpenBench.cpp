// Opening a big file in the editing control's window: the time from the
// start of loading the file into the control's lines to the end of painting
// the first screen, measured inside the process. Then the view jumps to the
// middle of the text and is painted again, which must cost about as much as
// any one screen (nothing rescans or re-measures the whole text).
//   usage: editor_wine_open_bench <file>
// Prints "editor-wine-open-20mb-s: <seconds>" on stdout; details on stderr.
#include "editor/win/EditWindow.h"
#include "platform/win/Application.h"
#include "WineBench.h"

#include <cstdio>
#include <exception>

using wine_bench::Now;
using wine_bench::Seconds;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
    return 2;
  }
  try {
    TApplication application;
    TForm form(nullptr);
    auto* editor = new TktEditWindow(&form);
    wine_bench::Fill(form, editor, 1000, 740);
    TktCustomEdit* edit = editor->GetEdit();
    int paints = 0;
    edit->OnPaint = [&](TObject*, ICanvas&) { ++paints; };
    form.Show();
    HWND wnd = editor->GetHandle();
    ::UpdateWindow(wnd);
    application.ProcessMessages();
    const int paintsBefore = paints;

    const LARGE_INTEGER start = Now();
    edit->GetLines()->LoadFromFile(argv[1]);
    ::UpdateWindow(wnd);
    ::GdiFlush();
    const LARGE_INTEGER painted = Now();
    if (paints == paintsBefore) {
      std::fprintf(stderr, "the loaded text was not painted\n");
      return 1;
    }

    const LARGE_INTEGER scrollStart = Now();
    edit->SetTopLine(edit->GetLineCount() / 2);
    ::UpdateWindow(wnd);
    ::GdiFlush();
    const LARGE_INTEGER scrolled = Now();

    std::fprintf(stderr, "%d lines; first screen %.3f s; middle screen %.1f ms\n",
                 edit->GetLineCount(), Seconds(start, painted),
                 1000.0 * Seconds(scrollStart, scrolled));
    std::printf("editor-wine-open-20mb-s: %.3f\n", Seconds(start, painted));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
