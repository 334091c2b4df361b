// ShellOpen through the real shell and in a test's hands, and dropped files
// read whole with the drop finished whatever the handler does.
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/Shell.h"
#include "platform/win/WinTestSupport.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

TEST(Shell, ShellOpenStartsWhatItIsGivenAndATestCanTakeItsPlace) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  std::string marker = IncludeTrailingPathDelimiter(temp) + "tqshell" + IntToStr(::GetCurrentProcessId()) + ".txt";
  ::DeleteFileA(marker.c_str());
  ASSERT_TRUE(ShellOpen("cmd.exe", "/c echo opened>\"" + marker + "\"", temp, SW_HIDE));
  EXPECT_TRUE(PumpUntil([&] { return FileExists(marker); }, 20000));
  ::DeleteFileA(marker.c_str());
  EXPECT_FALSE(ShellOpen(std::string(temp) + "no such document.tqnothing"));

  std::vector<std::string> seen;
  TShellOpenFunc old = SetShellOpenFunc([&](const std::string& target, const std::string& params,
                                            const std::string& dir, int show, const std::string& verb) {
    seen = {target, params, dir, IntToStr(show), verb};
    return true;
  });
  EXPECT_TRUE(ShellOpen("http://example.invalid/"));
  SetShellOpenFunc(old);
  EXPECT_EQ(seen, (std::vector<std::string>{"http://example.invalid/", "", "", IntToStr(SW_SHOWNORMAL), "open"}));
}

// A drop as the shell hands it over: DROPFILES and the names, each ended
// by a null, and one more null at the end.
HDROP MakeDrop(const std::vector<std::string>& names, POINT at) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& n : names) size += n.size() + 1;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(h));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = at;
  char* p = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
  for (const std::string& n : names) {
    std::memcpy(p, n.c_str(), n.size() + 1);
    p += n.size() + 1;
  }
  ::GlobalUnlock(h);
  return static_cast<HDROP>(h);
}

TEST(Shell, DroppedNamesArriveWholeAndTheDropIsFinishedAlsoWhenTheHandlerRaises) {
  std::string longName = "C:\\" + std::string(300, 'd') + "\\" + std::string(280, 'f') + ".txt";
  const std::vector<std::string> names = {longName, "C:\\short.txt"};
  HDROP drop = MakeDrop(names, POINT{5, 7});
  std::vector<std::string> got;
  TPoint at;
  AcceptDroppedFiles(drop, [&](TStrings& files, TPoint p) {
    for (int i = 0; i < files.GetCount(); ++i) got.push_back(files.Get(i));
    at = p;
  });
  EXPECT_EQ(got, names);
  EXPECT_EQ(at, TPoint(5, 7));
  EXPECT_EQ(::GlobalSize(drop), 0u);  // finished: the block is gone

  drop = MakeDrop(names, POINT{0, 0});
  EXPECT_THROW(AcceptDroppedFiles(drop, [](TStrings&, TPoint) { throw std::runtime_error("handler"); }),
               std::runtime_error);
  EXPECT_EQ(::GlobalSize(drop), 0u);
}

}  // namespace
