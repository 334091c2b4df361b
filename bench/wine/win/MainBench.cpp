// The main window against the bare parts it is made of, in one process:
// opening a big Pascal file through the main window (load, highlighter,
// first paint) against a bare editor window doing the same; one typed
// character in it; Ctrl+F6 among 50 documents against repainting that
// editor alone; Close All of 200 unmodified named documents against writing
// their 200 document records alone.
//   usage: main_wine_bench <pascal corpus> <folder for the made files>
// Prints "name: value" lines on stdout; details on stderr.
#include "app/FileTypes.h"
#include "app/win/DataWin.h"
#include "app/win/MainForm.h"
#include "app/win/Setup.h"
#include "editor/EditFilesState.h"
#include "highlighters/PasSyn.h"
#include "platform/Registry.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "WineBench.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace {

double Now() {
  LARGE_INTEGER t, f;
  ::QueryPerformanceCounter(&t);
  ::QueryPerformanceFrequency(&f);
  return double(t.QuadPart) / double(f.QuadPart);
}

void Pump() {
  MSG m;
  while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&m);
    ::DispatchMessageA(&m);
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

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
    Form.SetBorderStyle(bsNone);
    Form.SetBounds(0, 0, 800, 600);
    Editor = new TktEditWindow(&Form);
    Editor->SetAlign(alClient);
    Editor->SetParent(&Form);
    Syn = new TktPasSyn(&Form);
    Editor->GetEdit()->SetHighLighter(Syn);
    Form.Show();
    ::UpdateWindow(Editor->GetHandle());
    Pump();
  }
  double Open(const std::string& file) {
    TktCustomEdit* edit = Editor->GetEdit();
    const double t0 = Now();
    edit->FileName = file;
    edit->LoadFromFile();
    ::UpdateWindow(Editor->GetHandle());
    ::GdiFlush();
    return Now() - t0;
  }
};

double MainOpen(TMainForm& form, const std::string& file) {
  const double t0 = Now();
  form.Documents().OpenInNewTab(file, true);
  ::UpdateWindow(form.GetHandle());
  ::RedrawWindow(form.GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::GdiFlush();
  return Now() - t0;
}

double TypeOne(HWND wnd) {
  const double t0 = Now();
  ::SendMessageA(wnd, WM_CHAR, 'x', 1);
  ::UpdateWindow(wnd);
  ::GdiFlush();
  return Now() - t0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <pascal corpus> <folder>\n", argv[0]);
    return 2;
  }
  try {
    TApplication application;
    SetProgramRegistryKey("\\Software\\Tarnquill\\Bench");
    SetDefaultFileTypes();
    const std::string folder = IncludeTrailingPathDelimiter(argv[2]);
    const std::string mb20 = MakeFile(argv[1], folder + "main-20mb.pas", 20 << 20);
    const std::string mb100 = MakeFile(argv[1], folder + "main-100mb.pas", int64_t(100) << 20);

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

    for (const auto& [name, file] : {std::pair{"main-open-20mb-ratio", mb20}, {"main-open-100mb-ratio", mb100}}) {
      std::vector<double> ours, theirs;
      for (int round = 0; round < 3; ++round) {
        theirs.push_back(bare.Open(file));
        ours.push_back(MainOpen(*form, file));
        form->Documents().FileCloseAll();
      }
      wine_bench::PrintRatio(name, Median(ours), Median(theirs));
    }

    // One character typed into the 100 MB document.
    MainOpen(*form, mb100);
    bare.Open(mb100);
    HWND mainEditor = form->EditWindow(form->Documents().GetWindowCounter())->GetHandle();
    std::vector<double> ours, theirs;
    for (int i = 0; i < 9; ++i) {
      ours.push_back(TypeOne(mainEditor));
      theirs.push_back(TypeOne(bare.Editor->GetHandle()));
    }
    wine_bench::PrintRatio("main-keystroke-100mb-ratio", Median(ours), Median(theirs));

    // Ctrl+F6 among 50 documents, the 100 MB one included (it is tab 0).
    std::vector<std::string> small;
    for (int i = 0; i < 49; ++i) {
      small.push_back(folder + "doc" + std::to_string(i) + ".pas");
      MakeFile(argv[1], small.back(), 4096);
      form->Documents().OpenInNewTab(small.back(), true);
    }
    ours.clear();
    theirs.clear();
    for (int i = 0; i < 50; ++i) {
      const double t0 = Now();
      form->Documents().PreviousWindow();
      ::RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      ::GdiFlush();
      ours.push_back(Now() - t0);
      const double t1 = Now();
      ::RedrawWindow(bare.Editor->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      ::GdiFlush();
      theirs.push_back(Now() - t1);
    }
    wine_bench::PrintRatio("main-tab-switch-ratio", Median(ours), Median(theirs));
    // The typed characters are not to be saved.
    for (int i = 0; i < form->GetPageCount(); ++i) {
      form->Documents().ActivateTab(i);
      form->Documents().CurrentEditor()->SetModified(false);
    }
    form->Documents().FileCloseAll();

    // Close All of 200 unmodified named documents.
    std::vector<std::string> files;
    for (int i = 0; i < 200; ++i) {
      files.push_back(folder + "close" + std::to_string(i) + ".pas");
      MakeFile(argv[1], files.back(), 1024);
      form->Documents().OpenInNewTab(files.back(), true);
    }
    double t0 = Now();
    form->Documents().FileCloseAll();
    const double close = Now() - t0;
    t0 = Now();
    for (const std::string& f : files) {
      TktDocumentState state;
      state.CaretX = 1;
      state.CaretY = 1;
      WriteDocumentState(f, state, 45000.0);
    }
    const double records = Now() - t0;
    wine_bench::PrintRatio("main-close-200-ratio", close, records);

    delete form;
    delete setup;
    delete data;
    TRegistry registry;
    registry.DeleteKey("\\Software\\Tarnquill\\Bench");
    for (const std::string& f : files) FileDelete(f);
    for (const std::string& f : small) FileDelete(f);
    FileDelete(mb20);
    FileDelete(mb100);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
