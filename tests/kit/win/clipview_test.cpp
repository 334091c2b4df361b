// The clipboard viewer on the real clipboard: the view of each format, the
// chosen format falling back, a hidden viewer building its view when shown,
// a notice inside a notice, and the viewer chain with another program's
// viewer joining, leaving and hanging.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "../PictureFiles.h"
#include "kit/win/ClipIcon.h"
#include "kit/win/ClipView.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/Screenshot.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

// Puts one block of a format on the clipboard, as another program would.
void PutHandle(unsigned format, HANDLE data) {
  ASSERT_TRUE(PumpUntil([] { return ::OpenClipboard(nullptr) != 0; }));
  ::EmptyClipboard();
  if (data) ::SetClipboardData(format, data);
  ::CloseClipboard();
}

void PutBytes(unsigned format, const std::string& bytes) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
  std::memcpy(::GlobalLock(h), bytes.data(), bytes.size());
  ::GlobalUnlock(h);
  PutHandle(format, h);
}

void PutText(const std::string& text) { PutBytes(CF_TEXT, text + std::string(1, '\0')); }

HPALETTE MakePalette(int count) {
  std::string block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * size_t(count), '\0');
  auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = WORD(count);
  for (int i = 0; i < count; ++i) lp->palPalEntry[i] = {BYTE(i * 7), BYTE(255 - i), BYTE(i * 3), 0};
  return ::CreatePalette(lp);
}

// A 16 x 16 icon file of one 32-bit image, every pixel opaque red.
std::string IconFile() {
  const int w = 16, h = 16;
  std::string image(sizeof(BITMAPINFOHEADER), '\0');
  auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(image.data());
  bih->biSize = sizeof(BITMAPINFOHEADER);
  bih->biWidth = w;
  bih->biHeight = h * 2;
  bih->biPlanes = 1;
  bih->biBitCount = 32;
  for (int i = 0; i < w * h; ++i) image += std::string("\x00\x00\xFF\xFF", 4);
  image += std::string(size_t(4 * h), '\0');  // the AND mask, rows of 4 bytes
  std::string file(6 + 16, '\0');
  file[2] = 1;
  file[4] = 1;
  file[6] = char(w);
  file[7] = char(h);
  file[10] = 1;
  file[12] = 32;
  const uint32_t size = uint32_t(image.size()), offset = 22;
  std::memcpy(&file[14], &size, 4);
  std::memcpy(&file[18], &offset, 4);
  return file + image;
}

class ViewerCase : public ::testing::Test {
protected:
  ViewerCase() {
    Form = new TForm(Application);
    Form->SetBounds(40, 40, 300, 200);
    Viewer = new TClipboardViewer(Form);
    Viewer->SetParent(Form);
    Viewer->SetAlign(alClient);
    Viewer->OnChange = [this](TObject*) { ++Changes; };
    Form->Show();
    Viewer->GetHandle();
    PumpFor(20);
  }
  ~ViewerCase() override {
    delete Form;
    for (PROCESS_INFORMATION& pi : Peers) {
      ::TerminateProcess(pi.hProcess, 0);
      ::CloseHandle(pi.hProcess);
      ::CloseHandle(pi.hThread);
    }
    for (const std::string& log : Logs) ::DeleteFileA(log.c_str());
    Application->ProcessMessages();
  }

  // Waits until a change reached the viewer.
  void Changed(int before) { EXPECT_TRUE(PumpUntil([&] { return Changes > before; })); }

  std::string MemoText() {
    auto* memo = dynamic_cast<TMemo*>(Viewer->GetView());
    return memo ? memo->GetText() : std::string("(no memo)");
  }

  // Starts the peer program; returns its log once it logged "joined" (or
  // at once for "set", after it ended).
  std::string StartPeer(const std::string& command, const std::string& arg, int ms = 0) {
    const std::string log = ::testing::TempDir() + "tq-clippeer-" + std::to_string(Logs.size()) + "-" +
                            std::to_string(::GetCurrentProcessId()) + ".log";
    ::DeleteFileA(log.c_str());
    std::string line = std::string("\"") + TQ_CLIP_PEER + "\" " + command + " \"" +
                       (command == "set" ? arg : log) + "\" " + std::to_string(ms);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    EXPECT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    if (command == "set") {
      // Pumping while it runs: its notices come to us.
      EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 10000));
      ::CloseHandle(pi.hProcess);
      ::CloseHandle(pi.hThread);
      return "";
    }
    Peers.push_back(pi);
    Logs.push_back(log);
    EXPECT_TRUE(PumpUntil([&] { return ReadLog(log).find("joined") != std::string::npos; }, 10000));
    return log;
  }
  static std::string ReadLog(const std::string& log) {
    std::ifstream in(log, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static int Count(const std::string& text, const std::string& word) {
    int n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
  }

  TForm* Form = nullptr;
  TClipboardViewer* Viewer = nullptr;
  int Changes = 0;
  std::vector<PROCESS_INFORMATION> Peers;
  std::vector<std::string> Logs;
};

TEST_F(ViewerCase, EachFormatGetsItsView) {
  int before = Changes;
  PutText("first line\r\nsecond");
  Changed(before);
  EXPECT_EQ(Viewer->GetShownFormat(), cvText);
  EXPECT_EQ(MemoText(), "first line\r\nsecond");
  ASSERT_NE(dynamic_cast<TMemo*>(Viewer->GetView()), nullptr);
  EXPECT_TRUE(dynamic_cast<TMemo*>(Viewer->GetView())->GetReadOnly());
  PumpFor(50);
  SaveBitmap(*Capture(Form->GetHandle()), "clipview_text.bmp");

  before = Changes;
  PutHandle(0, nullptr);
  Changed(before);
  EXPECT_EQ(Viewer->GetShownFormat(), cvEmpty);
  EXPECT_EQ(MemoText(), "Clipboard is empty");

  before = Changes;
  HDC screen = ::GetDC(nullptr);
  PutHandle(CF_BITMAP, ::CreateCompatibleBitmap(screen, 30, 20));
  ::ReleaseDC(nullptr, screen);
  Changed(before);
  EXPECT_EQ(Viewer->GetShownFormat(), cvBitmap);
  auto* image = dynamic_cast<TImage*>(Viewer->GetView());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetPicture().GetWidth(), 30);
  EXPECT_EQ(image->GetHeight(), 20);
  // Centred in the viewer.
  EXPECT_EQ(image->GetLeft(), (Viewer->GetClientWidth() - 30) / 2);

  for (int count : {20, 300}) {
    before = Changes;
    PutHandle(CF_PALETTE, MakePalette(count));
    Changed(before);
    EXPECT_EQ(Viewer->GetShownFormat(), cvPalette);
    auto* grid = dynamic_cast<TPaletteGrid*>(Viewer->GetView());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetEntryCount(), std::min(count, 256));
    EXPECT_GE(grid->GetGeometry().Columns, 1);
    // Each cell is filled with its entry's colour inside a frame.
    PumpFor(50);
    const auto shot = Capture(grid->GetHandle());
    EXPECT_EQ(shot->Pixel(10, 10), TColor(0x00FF00)) << std::hex << shot->Pixel(10, 10);
    EXPECT_EQ(shot->Pixel(30, 10), TColor(7 | 254 << 8 | 3 << 16)) << std::hex << shot->Pixel(30, 10);
    EXPECT_EQ(shot->Pixel(0, 0), ColorToRGB(clBtnFace));
  }
  SaveBitmap(*Capture(Form->GetHandle()), "clipview_palette.bmp");

  before = Changes;
  PutBytes(IconClipboardFormat(), IconFile());
  Changed(before);
  EXPECT_EQ(Viewer->GetShownFormat(), cvIcon);
  image = dynamic_cast<TImage*>(Viewer->GetView());
  ASSERT_NE(image, nullptr);
  EXPECT_NE(image->GetPicture().GetIcon(), nullptr);
  EXPECT_EQ(::OpenClipboard(nullptr) != 0, true) << "the viewer closed the clipboard";
  ::CloseClipboard();

  // A block whose image lies past its end, a component and a private
  // format: nothing is made from them.
  std::string lying = IconFile();
  lying[14] = char(0xF0);
  struct TCase {
    unsigned Format;
    std::string Bytes;
  };
  const TCase unknown[] = {{IconClipboardFormat(), lying},
                           {ClipboardFormatIds().Component, "object Form1: TForm1 end"},
                           {::RegisterClipboardFormatA("Tq Private"), "x"}};
  for (const TCase& c : unknown) {
    before = Changes;
    PutBytes(c.Format, c.Bytes);
    Changed(before);
    EXPECT_EQ(MemoText(), "Cannot display. Data in Clipboard is in an unknown format.") << c.Format;
    EXPECT_TRUE(::OpenClipboard(nullptr));
    ::CloseClipboard();
  }
}

TEST_F(ViewerCase, PictureBlocksAndOldStyleMetafilesAreDrawn) {
  // An enhanced metafile's bytes as GDI writes them: a 40 x 30 frame.
  HDC screen = ::GetDC(nullptr);
  HDC recorder = ::CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
  ::Rectangle(recorder, 0, 0, 40, 30);
  HENHMETAFILE recorded = ::CloseEnhMetaFile(recorder);
  std::string emf(::GetEnhMetaFileBits(recorded, 0, nullptr), '\0');
  ::GetEnhMetaFileBits(recorded, UINT(emf.size()), reinterpret_cast<BYTE*>(emf.data()));
  ::DeleteEnhMetaFile(recorded);
  const struct {
    const char* What;
    std::string Block;
  } pictures[] = {
      {"bitmap", picture_files::BitmapFile(6, 4, 24, 0, 0, 0x0000FF)},
      {"icon", IconFile()},
      {"metafile", emf},
  };
  for (const auto& p : pictures) {
    const int before = Changes;
    PutBytes(ClipboardFormatIds().Picture, p.Block);
    Changed(before);
    EXPECT_EQ(Viewer->GetShownFormat(), cvPicture) << p.What;
    auto* image = dynamic_cast<TImage*>(Viewer->GetView());
    ASSERT_NE(image, nullptr) << p.What;
    EXPECT_FALSE(image->GetPicture().Empty()) << p.What;
    EXPECT_EQ(image->GetLeft(), (Viewer->GetClientWidth() - image->GetWidth()) / 2) << p.What;
  }
  // The bitmap's pixels come through: red, as it was stored.
  int before = Changes;
  PutBytes(ClipboardFormatIds().Picture, picture_files::BitmapFile(6, 4, 24, 0, 0, 0x0000FF));
  Changed(before);
  auto* image = dynamic_cast<TImage*>(Viewer->GetView());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetPicture().GetWidth(), 6);
  EXPECT_EQ(image->GetPicture().GetHeight(), 4);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(memory, image->GetPicture().GetBitmap());
  EXPECT_EQ(::GetPixel(memory, 2, 1), RGB(255, 0, 0));
  ::SelectObject(memory, old);
  ::DeleteDC(memory);

  // A block that fails the checks is no picture.
  before = Changes;
  std::string cut = picture_files::BitmapFile(6, 4);
  cut.resize(cut.size() - 1);
  PutBytes(ClipboardFormatIds().Picture, cut);
  Changed(before);
  EXPECT_EQ(MemoText(), "Cannot display. Data in Clipboard is in an unknown format.");

  // A program that puts only an old-style metafile picture there.
  HDC old16 = ::CreateMetaFileA(nullptr);
  ::Rectangle(old16, 0, 0, 50, 20);
  HMETAFILE mf = ::CloseMetaFile(old16);
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
  auto* pict = static_cast<METAFILEPICT*>(::GlobalLock(h));
  *pict = METAFILEPICT{MM_TEXT, 50, 20, mf};
  ::GlobalUnlock(h);
  before = Changes;
  PutHandle(CF_METAFILEPICT, h);
  Changed(before);
  EXPECT_EQ(Viewer->GetShownFormat(), cvMetafile);
  image = dynamic_cast<TImage*>(Viewer->GetView());
  ASSERT_NE(image, nullptr) << MemoText();
  EXPECT_NE(image->GetPicture().GetMetafile(), nullptr);
  ::ReleaseDC(nullptr, screen);
}

TEST_F(ViewerCase, AChosenFormatTheClipboardLacksFallsBackToTheDefault) {
  PutText("only text");
  PumpUntil([&] { return MemoText() == "only text"; });
  Viewer->SetViewFormat(cvBitmap);
  EXPECT_EQ(Viewer->GetViewFormat(), cvDefault);
  EXPECT_EQ(MemoText(), "only text");
  Viewer->SetViewFormat(cvText);
  EXPECT_EQ(Viewer->GetViewFormat(), cvText);
  const int before = Changes;
  PutHandle(CF_PALETTE, MakePalette(4));
  Changed(before);
  EXPECT_EQ(Viewer->GetViewFormat(), cvDefault);
  EXPECT_EQ(Viewer->GetShownFormat(), cvPalette);
}

TEST_F(ViewerCase, AHiddenViewerReportsAtOnceAndBuildsItsViewWhenShown) {
  PutText("before");
  PumpUntil([&] { return MemoText() == "before"; });
  Form->Hide();
  const int before = Changes;
  PutText("while hidden");
  Changed(before);
  EXPECT_EQ(MemoText(), "before");
  Form->Show();
  Viewer->UpdateView();
  EXPECT_EQ(MemoText(), "while hidden");
}

TEST_F(ViewerCase, ANoticeArrivingInsideOneIsHandledAfterIt) {
  int depth = 0, deepest = 0;
  Viewer->OnChange = [&](TObject*) {
    ++Changes;
    deepest = std::max(deepest, ++depth);
    if (Changes == 1) ::SendMessageA(Viewer->GetHandle(), WM_DRAWCLIPBOARD, 0, 0);
    --depth;
  };
  PutText("once");
  EXPECT_TRUE(PumpUntil([&] { return Changes >= 2; }));
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(Changes, 2) << "looked at once more, not twice";
}

TEST_F(ViewerCase, OtherViewersJoinLeaveAndHangWithoutHoldingOurs) {
  // A viewer joining after ours is ahead of it and forwards to it.
  const std::string log = StartPeer("viewer", "", 3000);
  int before = Changes;
  StartPeer("set", "from the peer");
  Changed(before);
  EXPECT_TRUE(PumpUntil([&] { return Count(ReadLog(log), "draw") >= 1; }));
  // It leaves: ours goes on getting notices.
  EXPECT_TRUE(PumpUntil([&] { return ReadLog(log).find("left") != std::string::npos; }, 10000));
  before = Changes;
  StartPeer("set", "after it left");
  Changed(before);
  EXPECT_EQ(MemoText(), "after it left");

  // A viewer behind ours that stopped pumping: our forward does not wait.
  delete Form;
  Form = nullptr;
  Application->ProcessMessages();
  StartPeer("hang", "", 60000);
  Form = new TForm(Application);
  Viewer = new TClipboardViewer(Form);
  Viewer->SetParent(Form);
  Viewer->SetAlign(alClient);
  Viewer->OnChange = [this](TObject*) { ++Changes; };
  Form->Show();
  ASSERT_TRUE(Viewer->GetChained());
  EXPECT_NE(Viewer->GetNextViewer(), nullptr);
  for (const char* text : {"one", "two"}) {
    before = Changes;
    StartPeer("set", text);
    Changed(before);
    EXPECT_EQ(MemoText(), text);
  }
  // The hung one goes away: forwarding skips a window that no longer exists.
  ::TerminateProcess(Peers.back().hProcess, 0);
  ::WaitForSingleObject(Peers.back().hProcess, 5000);
  before = Changes;
  StartPeer("set", "three");
  Changed(before);
  EXPECT_EQ(MemoText(), "three");
}

}  // namespace
