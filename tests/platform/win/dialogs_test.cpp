// The common dialogs and the input box answered for real from inside their
// modal loops, and answered by the functions that tests and scripted runs
// put in the user's place.
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Dialogs.h"
#include "platform/win/FileDialogSupport.h"
#include "platform/win/InputSupport.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

TEST(FileDialogs, TheOpenDialogTakesTheTypedNameUnderTheErrorModeOfFileDialogs) {
  TTempFolder folder("tqopen");
  std::string file = folder.Add("chosen.txt");
  TOpenDialog dialog(nullptr);
  dialog.SetTitle("Open for a test");
  dialog.SetInitialDir(folder.Path());
  dialog.SetFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*");
  dialog.SetFilterIndex(2);
  UINT before = ::SetErrorMode(0);
  ::SetErrorMode(before);
  UINT inside = 0;
  AnswerFileDialog("Open for a test", "chosen.txt", &inside);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(SameText(dialog.GetFileName(), file)) << dialog.GetFileName();
  ASSERT_EQ(dialog.GetFiles()->GetCount(), 1);
  EXPECT_EQ(dialog.GetFiles()->Get(0), dialog.GetFileName());
  EXPECT_EQ(dialog.GetFilterIndex(), 2);
  EXPECT_EQ(inside, 0x8001u);
  EXPECT_EQ(::SetErrorMode(before), before);
}

TEST(FileDialogs, ManyChosenFilesOutgrowTheFirstBufferAndAllComeBack) {
  TTempFolder folder("tqmany");
  std::string typed;
  std::vector<std::string> expected;
  for (int i = 0; i < 150; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "a file with a rather long name number %03d.txt", i);
    expected.push_back(folder.Add(name));
    typed += std::string(typed.empty() ? "" : " ") + "\"" + name + "\"";
  }
  ASSERT_GT(typed.size(), 4096u);  // more than the dialog starts with
  TOpenDialog dialog(nullptr);
  dialog.SetTitle("Open many for a test");
  dialog.SetInitialDir(folder.Path());
  dialog.SetOptions(dialog.GetOptions() + ofAllowMultiSelect);
  AnswerFileDialog("Open many for a test", typed);
  ASSERT_TRUE(dialog.Execute());
  ASSERT_EQ(dialog.GetFiles()->GetCount(), int(expected.size()));
  for (int i = 0; i < dialog.GetFiles()->GetCount(); ++i)
    EXPECT_TRUE(SameText(dialog.GetFiles()->Get(i), expected[size_t(i)])) << dialog.GetFiles()->Get(i);
  EXPECT_EQ(dialog.GetFileName(), dialog.GetFiles()->Get(0));
}

TEST(FileDialogs, TheSaveDialogAddsTheDefaultExtension) {
  TTempFolder folder("tqsave");
  TSaveDialog dialog(nullptr);
  dialog.SetTitle("Save for a test");
  dialog.SetInitialDir(folder.Path());
  dialog.SetDefaultExt("txt");
  AnswerFileDialog("Save for a test", "written");
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(SameText(dialog.GetFileName(), folder.Path() + "\\written.txt")) << dialog.GetFileName();
}

TEST(InputBoxes, InputQueryTakesTheTypedLineAndEscKeepsTheDefault) {
  WhenWindow("Go to Line", [](HWND box) {
    ASSERT_NE(box, nullptr);
    ::SetWindowTextA(::FindWindowExA(box, nullptr, "TqInputEdit", nullptr), "42");
    SendKey(VK_RETURN);
  });
  std::string value = "1";
  ASSERT_TRUE(InputQuery("Go to Line", "Enter Line Number", value));
  EXPECT_EQ(value, "42");

  std::string prompt;
  WhenWindow("Macro", [&prompt](HWND box) {
    ASSERT_NE(box, nullptr);
    char text[64] = {};
    ::GetWindowTextA(::FindWindowExA(box, nullptr, "TqInputPrompt", nullptr), text, sizeof text);
    prompt = text;
    SendKey(VK_ESCAPE);
  });
  EXPECT_EQ(InputBox("Macro", "Enter Name of Macro", "Macro1"), "Macro1");
  EXPECT_EQ(prompt, "Enter Name of Macro");
}

TEST(Answering, DialogsAndInputBoxesTakeTheirAnswersFromTheFunctionsGiven) {
  std::vector<std::string> asked;
  auto oldFile = SetFileDialogFunc([&](TOpenDialog& d) {
    asked.push_back((d.IsSaveDialog() ? "save " : "open ") + d.GetTitle());
    d.SetFileName("C:\\answered.txt");
    return d.IsSaveDialog();
  });
  auto oldInput = SetInputQueryFunc([&](const std::string& caption, const std::string&, std::string& v) {
    asked.push_back("input " + caption);
    v = "7";
    return true;
  });
  auto oldPrinter = SetPrinterSetupDialogFunc([&](TPrinterSetupDialog&) {
    asked.push_back("printer");
    return false;
  });
  TOpenDialog open(nullptr);
  SetPropText(&open, "Title", "Open");  // published, as stored settings set it
  TSaveDialog save(nullptr);
  SetPropText(&save, "Title", "Save");
  TPrinterSetupDialog printer(nullptr);
  EXPECT_FALSE(open.Execute());
  EXPECT_TRUE(save.Execute());
  EXPECT_EQ(GetPropText(&save, "FileName"), "C:\\answered.txt");
  EXPECT_EQ(InputBox("Go", "Line", "1"), "7");
  EXPECT_FALSE(printer.Execute());
  EXPECT_EQ(asked, (std::vector<std::string>{"open Open", "save Save", "input Go", "printer"}));
  SetFileDialogFunc(oldFile);
  SetInputQueryFunc(oldInput);
  SetPrinterSetupDialogFunc(oldPrinter);
}

}  // namespace
