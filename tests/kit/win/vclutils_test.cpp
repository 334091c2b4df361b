// The kit's window routines on real windows.
#include "kit/win/VclUtils.h"

#include <gtest/gtest.h>

#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

TEST(VclUtils, CentringAndKeepingOnTheScreen) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 200, 100);
  form.Show();
  CenterForm(&form, false);
  EXPECT_EQ(form.GetLeft(), (1280 - 200) / 2);
  EXPECT_EQ(form.GetTop(), (1024 - 100) / 2);
  ::SetWindowPos(form.GetHandle(), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CenterWindow(form.GetHandle());
  RECT r;
  ::GetWindowRect(form.GetHandle(), &r);
  EXPECT_EQ(r.left, 540);
  EXPECT_EQ(r.top, 462);

  int left = 1200, top = -20;
  KeepOnScreen(left, top, 200, 100);
  EXPECT_EQ(left, 1080);
  EXPECT_EQ(top, 0);
}

TEST(VclUtils, QuitMessagesAndErrors) {
  ::PostQuitMessage(7);
  KillMessage(nullptr, WM_QUIT);
  MSG m;
  ASSERT_TRUE(::PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "posted again";
  EXPECT_EQ(m.wParam, 7u);

  auto message = [](const char* id) {
    try {
      ResourceNotFound(id);
    } catch (const Exception& e) {
      return e.Message();
    }
    return std::string("no exception");
  };
  EXPECT_EQ(message("RX_HANDCUR"), "Resource RX_HANDCUR not found");
  EXPECT_EQ(message(MAKEINTRESOURCEA(14000)), "Resource 14000 not found");
}

}  // namespace
