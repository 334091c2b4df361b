// The rich-text control under Wine against the bare control in the same
// process, with the same settings (link detection on, no undo, the same
// length limit), best of three each:
//   richedit-stream-rtf-ratio   Lines->LoadFromStream of 200 KB of RTF (the
//                               program's RTF export of the Pascal corpus,
//                               cut at a paragraph) / a raw EM_STREAMIN of
//                               the same bytes into a bare "RichEdit20A"
//   richedit-stream-text-ratio  the same text as LF-only plain text
//   help-topic-show-ratio       selecting the longest help topic until the
//                               view has painted / a raw stream-in plus
//                               UpdateWindow of the same document
// usage: richedit_wine_bench <fpc-compiler.pas>
// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/EditList.h"
#include "app/tools/win/Help.h"
#include "editor/RtfExport.h"
#include "highlighters/PasSyn.h"
#include "kit/win/RxRichEd.h"
#include "platform/Streams.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"
#include "WineBench.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using wine_bench::Best;
using wine_bench::BestInTurns;
using wine_bench::Time;

// A raw EM_STREAMIN of text from its start, set up before any clock starts.
class TRawSource {
public:
  explicit TRawSource(const std::string& text) : FText(text) {
    FStream.dwCookie = reinterpret_cast<DWORD_PTR>(this);
    FStream.pfnCallback = In;
  }
  void StreamInto(HWND wnd, UINT format) {
    ::SendMessageA(wnd, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&FStream));
  }

private:
  static DWORD CALLBACK In(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<TRawSource*>(cookie);
    const size_t n = std::min(static_cast<size_t>(size), source->FText.size() - source->FPos);
    std::memcpy(buffer, source->FText.data() + source->FPos, n);
    source->FPos += n;
    *done = static_cast<LONG>(n);
    return 0;
  }
  const std::string& FText;
  size_t FPos = 0;
  EDITSTREAM FStream{};
};

// A bare control with the settings our control gives the help view.
HWND BareControl(HWND parent, int width, int height, COLORREF background) {
  HWND wnd = ::CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, width,
                               height, parent, nullptr, nullptr, nullptr);
  ::SendMessageA(wnd, EM_SETEVENTMASK, 0, 0x42C0001);
  ::SendMessageA(wnd, EM_SETBKGNDCOLOR, 0, background);
  ::SendMessageA(wnd, EM_EXLIMITTEXT, 0, 0xFFFFFF);
  ::SendMessageA(wnd, EM_AUTOURLDETECT, TRUE, 0);
  ::SendMessageA(wnd, EM_SETUNDOLIMIT, 0, 0);
  return wnd;
}

double RawStreamIn(HWND wnd, const std::string& text, UINT format) {
  ::SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  TRawSource source(text);
  return Time([&] { source.StreamInto(wnd, format); });
}

double OurStreamIn(TRxRichEdit* edit, const std::string& text, TRichStreamFormat format) {
  edit->SetText("");
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  stream.SetPosition(0);
  edit->SetStreamFormat(format);
  return Time([&] { edit->GetLines()->LoadFromStream(stream); });
}

// The RTF export of the Pascal file cut after the last paragraph that ends
// within limit bytes, and the same lines as LF-only text.
void MakeDocuments(const std::string& pasFile, size_t limit, std::string& rtf, std::string& text) {
  TktPasSyn pas(nullptr);
  pas.GetKeyAttri()->SetForeground(clNavy);
  pas.GetKeyAttri()->SetStyle({fsBold});
  pas.GetCommentAttri()->SetForeground(clGreen);
  pas.GetCommentAttri()->SetStyle({fsItalic});
  pas.GetStringAttri()->SetForeground(clRed);
  TktEditList lines;
  TFileStream file(pasFile, fmOpenRead);
  lines.LoadFromStream(file);
  lines.RescanAll(pas);
  TktExportDocument doc;
  doc.Lines = &lines;
  TktRtfExport exporter(nullptr);
  exporter.ExportLines(1, lines.GetCount(), &pas, doc);
  const std::string header = exporter.GetHeader(), body = exporter.GetBufferString();
  size_t cut = body.rfind("\\par", limit - header.size() - 2);
  cut = cut == std::string::npos ? 0 : cut + 4;
  rtf = header + body.substr(0, cut);
  // Close every group still open, so the cut document is whole RTF.
  int depth = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') ++i;
    else if (rtf[i] == '{') ++depth;
    else if (rtf[i] == '}') --depth;
  }
  rtf.append(static_cast<size_t>(std::max(depth, 0)), '}');
  int paragraphs = 0;
  for (size_t at = body.find("\\par"); at != std::string::npos && at < cut; at = body.find("\\par", at + 4))
    ++paragraphs;
  text.clear();
  for (int i = 0; i < paragraphs && i < lines.GetCount(); ++i) {
    text += lines.Get(i);
    text += '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 1, "<fpc-compiler.pas>", [&] {
    TApplication application;
    std::string rtf, text;
    MakeDocuments(argv[1], 200 * 1024, rtf, text);

    auto* form = new TForm(&application);
    form->SetBounds(0, 0, 700, 500);
    form->SetBorderStyle(bsNone);
    auto* edit = new TRxRichEdit(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 340, 480);
    edit->SetUndoLimit(0);
    edit->SetAutoURLDetect(true);
    form->Show();
    HWND bare = BareControl(form->GetHandle(), 340, 480, ::GetSysColor(COLOR_WINDOW));
    ::SetWindowPos(bare, nullptr, 350, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    application.ProcessMessages();

    double rawRtf, ourRtf, rawText, ourText;
    BestInTurns(
        3, [&] { return RawStreamIn(bare, rtf, SF_RTF); }, [&] { return OurStreamIn(edit, rtf, sfRichText); },
        rawRtf, ourRtf);
    BestInTurns(
        3, [&] { return RawStreamIn(bare, text, SF_TEXT); }, [&] { return OurStreamIn(edit, text, sfPlainText); },
        rawText, ourText);
    std::printf("richedit-stream-rtf-raw-s: %.3f\n", rawRtf);
    std::printf("richedit-stream-rtf-ratio: %.3f\n", ourRtf / rawRtf);
    std::printf("richedit-stream-text-raw-s: %.3f\n", rawText);
    std::printf("richedit-stream-text-ratio: %.3f\n", ourText / rawText);
    delete form;

    // The help window: its longest topic, selected in the tree.
    auto* help = new THelp(&application);
    help->SetFormStyle(fsNormal);
    help->Show();
    application.ProcessMessages();
    int longest = 0;
    for (int i = 0; i < kHelpNodeCount; ++i)
      if (HelpDocument(kHelpNodes[i].Document).size() > HelpDocument(kHelpNodes[longest].Document).size())
        longest = i;
    const std::string& topic = HelpDocument(kHelpNodes[longest].Document);
    const double ourShow = Best([&] {
      help->Tree->SetSelected(help->Node(0));
      application.ProcessMessages();
      return Time([&] {
        help->Tree->SetSelected(help->Node(longest));
        ::UpdateWindow(help->Memo->GetHandle());
      });
    });
    HWND helpBare = BareControl(help->GetHandle(), help->Memo->GetWidth(), help->Memo->GetHeight(), 0xEEFFEE);
    ::SetWindowPos(helpBare, HWND_TOP, help->Memo->GetLeft(), help->Memo->GetTop(), 0, 0, SWP_NOSIZE);
    const double rawShow = Best([&] {
      ::SendMessageA(helpBare, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      ::UpdateWindow(helpBare);
      TRawSource source(topic);
      return Time([&] {
        source.StreamInto(helpBare, SF_RTF);
        ::UpdateWindow(helpBare);
      });
    });
    std::printf("help-topic-show-raw-s: %.4f\n", rawShow);
    std::printf("help-topic-show-ratio: %.3f\n", ourShow / rawShow);
    delete help;
    return 0;
  });
}
