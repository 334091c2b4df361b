// The main window's search commands against the bare work they do, in one
// process:
// - search in all documents: 50 documents cut from the 20 MB corpus at line
//   ends, from the find dialog's Ok until FindBox is filled and painted,
//   against the portable routine alone over the same documents;
// - Replace All of "return" by "yield" without prompt in the 20 MB document
//   through aEditReplace (the dialog's values set, Replace All pressed),
//   against SearchReplace on a bare editor window holding the same text.
//   usage: search_wine_bench <20 MB corpus> <folder for the made files>
// Prints "findall-wine-window-ratio" and "replace-all-wine-window-ratio" on
// stdout; details on stderr.
#include "app/settings/FileTypes.h"
#include "app/search/SearchCommands.h"
#include "app/search/win/FindDlg.h"
#include "app/search/win/HexFindDlg.h"
#include "app/documents/win/MainForm.h"
#include "app/search/win/ReplaceDlg.h"
#include "kit/win/Placemnt.h"
#include "platform/Registry.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/Timer.h"
#include "WineBench.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using wine_bench::Now;

const char kBenchKey[] = "\\Software\\Tarnquill\\BenchSearch";

// Runs fill and then clicks button inside the next modal loop of dialog
// (from a timer), and returns when command, which shows the dialog, has
// returned and after has run; the time is taken from the click: what fill
// types into the dialog is the user's part, not the command's.
double TimeFromClick(TForm& dialog, const std::function<void()>& fill, TButton* button,
                     const std::function<void()>& command, const std::function<void()>& after) {
  LARGE_INTEGER start{};
  bool pressed = false;
  TTimer timer(nullptr);
  timer.SetInterval(20);
  timer.OnTimer = [&](TObject*) {
    if (!dialog.IsModal()) return;
    timer.SetEnabled(false);
    pressed = true;
    fill();
    start = Now();
    ::SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
  };
  command();
  after();
  const LARGE_INTEGER end = Now();
  if (!pressed) throw Exception("the dialog did not show");
  return wine_bench::Seconds(start, end);
}

}  // namespace

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 2, "<20 MB corpus> <folder>", [&] {
    TApplication application;
    SetProgramRegistryKey(kBenchKey);
    SetDefaultFileTypes();
    const std::string corpus = argv[1];
    const std::string folder = IncludeTrailingPathDelimiter(argv[2]);
    std::string text;
    {
      TFileStream in(corpus, fmOpenRead | fmShareDenyNone);
      text = in.ReadRemaining();
    }
    // 50 pieces of about the same size, cut at line ends.
    std::vector<std::string> pieces;
    size_t from = 0;
    for (int i = 0; i < 50 && from < text.size(); ++i) {
      size_t to = i == 49 ? text.size() : std::min(text.size(), (text.size() / 50) * size_t(i + 1));
      while (to < text.size() && text[to - 1] != '\n') ++to;
      pieces.push_back(folder + "findall" + std::to_string(i) + ".txt");
      TFileStream out(pieces.back(), fmCreate);
      out.WriteBuffer(text.data() + from, int64_t(to - from));
      from = to;
    }

    auto* form = new TMainForm(&application);
    form->SetBounds(0, 0, 800, 600);
    auto* find = new TFind(&application);
    auto* replace = new TReplace(&application);
    auto* hexFind = new THexFind(&application);
    for (TSearchDialog* d : {static_cast<TSearchDialog*>(find), static_cast<TSearchDialog*>(replace),
                             static_cast<TSearchDialog*>(hexFind)})
      d->GetStorage()->SetIniFileName(std::string(kBenchKey + 1) + "\\Forms");
    form->UseSearchDialogs(find, replace, hexFind);
    form->Show();
    wine_bench::Pump();
    for (const std::string& piece : pieces) form->Documents().OpenInNewTab(piece, true);
    wine_bench::Pump();

    // Search in all documents, case-insensitive as the dialog starts.
    double ours = 0, bare = 0;
    size_t lines = 0;
    wine_bench::MedianInTurns(
        3,
        [&] {
          const double s = TimeFromClick(
              *find, [&] { find->FindText->SetText("return"); }, find->OkButton,
              [&] { form->FindAction("aFindFiles")->Execute(); },
              [&] { wine_bench::PaintNow(form->FindResults().FindBox->GetHandle()); });
          lines = size_t(form->FindResults().FindBox->GetCount());
          return s;
        },
        [&] {
          std::vector<TFindResult> results;
          const double s =
              wine_bench::Time([&] { results = FindInDocuments(form->SearchDocuments(), "return", false, false); });
          if (results.size() != lines) throw Exception("the list and the routine disagree");
          return s;
        },
        ours, bare);
    std::fprintf(stderr, "%zu result lines\n", lines);
    wine_bench::PrintRatio("findall-wine-window-ratio", ours, bare);
    form->FindResults().Hide();
    form->Documents().FileCloseAll();

    // Replace All in the 20 MB document, against a bare editor window. Both
    // take a fraction of a second now, so one round of each is at the mercy
    // of the machine's load: three rounds each, taken in turns, and the
    // medians compared.
    TForm bareForm(nullptr);
    auto* editor = new TktEditWindow(&bareForm);
    wine_bench::Fill(bareForm, editor, 800, 600);
    TktCustomEdit* bareEdit = editor->GetEdit();
    bareEdit->FileName = corpus;
    TSearchDialogValues values;
    values.FindText = "return";
    values.ReplaceText = "yield";
    values.Origin = 1;
    values.Prompt = false;
    double ourReplace = 0, bareReplace = 0;
    int bareCount = 0;
    wine_bench::MedianInTurns(
        3,
        [&] {
          bareForm.Show();
          bareEdit->LoadFromFile();
          ::UpdateWindow(editor->GetHandle());
          const double s = wine_bench::Time([&] {
            bareCount = bareEdit->SearchReplace("return", "yield", ReplaceOptions(values, true));
            wine_bench::PaintNow(editor->GetHandle());
          });
          bareForm.Hide();
          return s;
        },
        [&] {
          form->Documents().OpenInNewTab(corpus, true);
          wine_bench::Pump();
          const double s = TimeFromClick(
              *replace,
              [&] {
                replace->FindText->SetText("return");
                replace->ReplaceText->SetText("yield");
                replace->Prompt->SetChecked(false);
                replace->Origin->SetItemIndex(1);
                replace->Scope->SetItemIndex(0);
              },
              replace->ReplaceAll, [&] { form->FindAction("aEditReplace")->Execute(); },
              [&] { wine_bench::PaintAllNow(form->GetHandle()); });
          if (form->Documents().CurrentEditor()->GetText() != bareEdit->GetText())
            throw Exception("the window and the bare editor replaced differently");
          form->Documents().CurrentEditor()->SetModified(false);
          form->Documents().FileCloseAll();
          return s;
        },
        bareReplace, ourReplace);
    std::fprintf(stderr, "%d replacements\n", bareCount);
    wine_bench::PrintRatio("replace-all-wine-window-ratio", ourReplace, bareReplace);

    delete form;
    TRegistry registry;
    registry.DeleteKey(kBenchKey);
    for (const std::string& piece : pieces) FileDelete(piece);
    return 0;
  });
}
