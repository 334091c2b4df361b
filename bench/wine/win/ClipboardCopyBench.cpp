// The editor's copy of a 20 MB selection with the clipboard history window
// made but hidden, against the same copy without it; and the same copy with
// the window shown, which builds its view of the text.
//   usage: clipboard_wine_copy_bench <text file of about 20 MB>
// Prints "name: value" lines on stdout; details on stderr.
#include "app/tools/win/FClipboard.h"
#include "editor/win/EditWindow.h"
#include "platform/win/Application.h"
#include "WineBench.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using wine_bench::Median;

// One copy, pumped until every notice of it has been handled.
double Copy(TktCustomEdit& edit) {
  return wine_bench::Time([&] {
    edit.CopyToClipboard();
    Application->ProcessMessages();
  });
}

}  // namespace

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 1, "<text file>", [&] {
    TApplication application;
    TForm form(nullptr);
    form.SetBounds(0, 0, 600, 400);
    auto* editor = new TktEditWindow(&form);
    editor->SetAlign(alClient);
    editor->SetParent(&form);
    form.Show();
    TktCustomEdit& edit = *editor->GetEdit();
    edit.FileName = argv[1];
    edit.LoadFromFile();
    edit.SelectAll();
    application.ProcessMessages();

    std::vector<double> without, hidden;
    for (int round = 0; round < 3; ++round) without.push_back(Copy(edit));
    FClipboard = new TFClipboard(&application);
    application.ProcessMessages();
    for (int round = 0; round < 3; ++round) hidden.push_back(Copy(edit));
    if (FClipboard->History().Entry(10).size() < 1000000) std::fprintf(stderr, "the history missed the copy\n");
    FClipboard->Show();
    application.ProcessMessages();
    const double shown = Copy(edit);
    wine_bench::PrintRatio("clipboard-copy-20mb-ratio", Median(hidden), Median(without));
    std::printf("clipboard-copy-20mb-shown-s: %.3f\n", shown);
    delete FClipboard;
    return 0;
  });
}
