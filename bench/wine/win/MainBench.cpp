// The main window against the bare parts it is made of, in one process:
// opening a big Pascal file through the main window (load, highlighter,
// first paint) against a bare editor window doing the same; one typed
// character in it; Ctrl+F6 among 50 documents against repainting that
// editor alone; Close All of 200 unmodified named documents against writing
// their 200 document records alone.
//   usage: main_wine_bench <pascal corpus> <folder for the made files> [figure...]
// Named figures (main-tab-switch-ratio, ...) run alone, so one can be taken
// again without making and opening the big files; the tab change then runs
// among 50 small documents.
// Prints "name: value" lines on stdout; details on stderr.
#include "app/settings/FileTypes.h"
#include "app/win/DataWin.h"
#include "app/documents/win/MainForm.h"
#include "app/settings/win/Setup.h"
#include "editor/EditFilesState.h"
#include "highlighters/PasSyn.h"
#include "platform/Registry.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "WineBench.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

using wine_bench::PaintAllNow;
using wine_bench::PaintNow;
using wine_bench::Pump;
using wine_bench::Time;

// The corpus repeated to size bytes, as a .pas file.
std::string MakeFile(const std::string& corpus, const std::string& name, int64_t size) {
  TFileStream in(corpus, fmOpenRead | fmShareDenyNone);
  const std::string text = in.ReadRemaining();
  TFileStream out(name, fmCreate);
  for (int64_t written = 0; written < size;) {
    const int64_t n = std::min<int64_t>(int64_t(text.size()), size - written);
    out.WriteBuffer(text.data(), n);
    written += n;
  }
  return name;
}

// The bare road: an editor window with the Pascal highlighter loading and
// painting the file.
struct TBare {
  TForm Form{nullptr};
  TktEditWindow* Editor;
  TktPasSyn* Syn;
  TBare() {
    Editor = new TktEditWindow(&Form);
    wine_bench::Fill(Form, Editor, 800, 600);
    Syn = new TktPasSyn(&Form);
    Editor->GetEdit()->SetHighLighter(Syn);
    Form.Show();
    ::UpdateWindow(Editor->GetHandle());
    Pump();
  }
  double Open(const std::string& file) {
    TktCustomEdit* edit = Editor->GetEdit();
    return Time([&] {
      edit->FileName = file;
      edit->LoadFromFile();
      PaintNow(Editor->GetHandle());
    });
  }
};

double MainOpen(TMainForm& form, const std::string& file) {
  return Time([&] {
    form.Documents().OpenInNewTab(file, true);
    ::UpdateWindow(form.GetHandle());
    PaintAllNow(form.GetHandle());
  });
}

double TypeOne(HWND wnd) {
  return Time([&] {
    ::SendMessageA(wnd, WM_CHAR, 'x', 1);
    PaintNow(wnd);
  });
}

}  // namespace

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 2, "<pascal corpus> <folder> [figure...]", [&] {
    const std::set<std::string> chosen(argv + 3, argv + argc);
    auto wanted = [&](const std::string& name) { return chosen.empty() || chosen.count(name) > 0; };
    const bool big = wanted("main-open-20mb-ratio") || wanted("main-open-100mb-ratio") ||
                     wanted("main-keystroke-100mb-ratio");
    TApplication application;
    SetProgramRegistryKey("\\Software\\Tarnquill\\Bench");
    SetDefaultFileTypes();
    const std::string folder = IncludeTrailingPathDelimiter(argv[2]);
    std::vector<std::string> made;
    if (big) {
      made.push_back(MakeFile(argv[1], folder + "main-20mb.pas", 20 << 20));
      made.push_back(MakeFile(argv[1], folder + "main-100mb.pas", int64_t(100) << 20));
    }

    TBare bare;
    // Made as the program makes them: the shared highlighters and the
    // options dialog's settings (none stored: the defaults).
    auto* form = new TMainForm(&application);
    TData* data = CreateData(&application);
    auto* setup = new TSetup(&application, data);
    setup->RestoreSettings();
    form->UseSharedSettings(data, setup);
    form->SetBounds(0, 0, 800, 600);
    form->Show();
    Pump();

    if (big) {
      for (const auto& [name, file] : {std::pair{"main-open-20mb-ratio", made[0]}, {"main-open-100mb-ratio", made[1]}}) {
        if (!wanted(name)) continue;
        double ours = 0, theirs = 0;
        wine_bench::MedianInTurns(
            3, [&] { return bare.Open(file); },
            [&] {
              const double s = MainOpen(*form, file);
              form->Documents().FileCloseAll();
              return s;
            },
            theirs, ours);
        wine_bench::PrintRatio(name, ours, theirs);
      }
      // One character typed into the 100 MB document; it stays open as
      // tab 0 of the tab change.
      MainOpen(*form, made[1]);
      bare.Open(made[1]);
      if (wanted("main-keystroke-100mb-ratio")) {
        HWND mainEditor = form->EditWindow(form->Documents().GetWindowCounter())->GetHandle();
        double ours = 0, theirs = 0;
        wine_bench::MedianInTurns(
            9, [&] { return TypeOne(mainEditor); }, [&] { return TypeOne(bare.Editor->GetHandle()); }, ours, theirs);
        wine_bench::PrintRatio("main-keystroke-100mb-ratio", ours, theirs);
      }
    }

    // Ctrl+F6 among 50 documents, the 100 MB one included (it is tab 0).
    if (wanted("main-tab-switch-ratio")) {
      if (!big) {
        made.push_back(MakeFile(argv[1], folder + "doc-first.pas", 4096));
        form->Documents().OpenInNewTab(made.back(), true);
        bare.Open(made.back());
      }
      for (int i = 0; i < 49; ++i) {
        made.push_back(MakeFile(argv[1], folder + "doc" + std::to_string(i) + ".pas", 4096));
        form->Documents().OpenInNewTab(made.back(), true);
      }
      Pump();
      double ours = 0, theirs = 0;
      wine_bench::MedianInTurns(
          50,
          [&] {
            return Time([&] {
              form->Documents().PreviousWindow();
              PaintAllNow(form->GetHandle());
            });
          },
          // The whole editor window, scroll bars and border too: a tab change
          // shows a window that was hidden, so it paints its frame as well
          // (under Wine the frame costs ten times the text).
          [&] {
            return Time([&] {
              ::RedrawWindow(bare.Editor->GetHandle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
              ::GdiFlush();
            });
          },
          ours, theirs);
      wine_bench::PrintRatio("main-tab-switch-ratio", ours, theirs);
    }
    // The typed characters are not to be saved.
    for (int i = 0; i < form->GetPageCount(); ++i) {
      form->Documents().ActivateTab(i);
      form->Documents().CurrentEditor()->SetModified(false);
    }
    form->Documents().FileCloseAll();

    // Close All of 200 unmodified named documents.
    if (wanted("main-close-200-ratio")) {
      std::vector<std::string> files;
      for (int i = 0; i < 200; ++i) {
        files.push_back(folder + "close" + std::to_string(i) + ".pas");
        made.push_back(MakeFile(argv[1], files.back(), 1024));
        form->Documents().OpenInNewTab(files.back(), true);
      }
      Pump();
      const double close = Time([&] { form->Documents().FileCloseAll(); });
      const double records = Time([&] {
        for (const std::string& f : files) {
          TktDocumentState state;
          state.CaretX = 1;
          state.CaretY = 1;
          WriteDocumentState(f, state, 45000.0);
        }
      });
      wine_bench::PrintRatio("main-close-200-ratio", close, records);
    }

    delete form;
    delete setup;
    delete data;
    TRegistry registry;
    registry.DeleteKey("\\Software\\Tarnquill\\Bench");
    for (const std::string& f : made) FileDelete(f);
    return 0;
  });
}
