// The kit's cursors 14000 and 14001 are the program's cursor resources, on
// the screen there is and on any made later.
#include "kit/win/KitCursors.h"

#include <gtest/gtest.h>

#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

TEST(KitCursors, AreTheProgramsResourcesOnEveryScreen) {
  const HINSTANCE program = ::GetModuleHandleA(nullptr);
  const HCURSOR hand = ::LoadCursorA(program, "RX_HANDCUR");
  const HCURSOR drag = ::LoadCursorA(program, "RX_DRAGCUR");
  const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(hand, nullptr);
  ASSERT_NE(drag, nullptr);
  ASSERT_NE(hand, drag);
  ASSERT_NE(Screen, nullptr);
  EXPECT_EQ(Screen->GetCursors(crHand), arrow) << "a number nobody registered";

  UseKitCursors();
  UseKitCursors();  // a second call changes nothing
  EXPECT_EQ(Screen->GetCursors(crHand), hand);
  EXPECT_EQ(Screen->GetCursors(crDragHand), drag);

  TScreen later(nullptr);
  EXPECT_EQ(later.GetCursors(crHand), hand);
  EXPECT_EQ(later.GetCursors(crDragHand), drag);
  EXPECT_EQ(later.GetCursors(crArrow), arrow);
}

}  // namespace
