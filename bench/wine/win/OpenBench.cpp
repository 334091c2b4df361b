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

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 1, "<file>", [&] {
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

    const double open = wine_bench::Time([&] {
      edit->GetLines()->LoadFromFile(argv[1]);
      wine_bench::PaintNow(wnd);
    });
    if (paints == paintsBefore) {
      std::fprintf(stderr, "the loaded text was not painted\n");
      return 1;
    }

    const double middle = wine_bench::Time([&] {
      edit->SetTopLine(edit->GetLineCount() / 2);
      wine_bench::PaintNow(wnd);
    });

    std::fprintf(stderr, "%d lines; first screen %.3f s; middle screen %.1f ms\n", edit->GetLineCount(), open,
                 1000.0 * middle);
    std::printf("editor-wine-open-20mb-s: %.3f\n", open);
    return 0;
  });
}
