// Working-copy names claimed by two processes at once: the names come from
// the same tick count, and each deletes its copies again at once, as hex
// views opened and closed in two running copies of the program do. No claim
// may fail for a name the other just gave up.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "hexedit/HexSystem.h"
#include "platform/SysUtils.h"

namespace {

TEST(ClaimTempFile, TwoProcessesClaimingAndDeletingNeverFail) {
  char temp[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "tq-claim-two";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  // Both processes take this folder for their working copies.
  ASSERT_TRUE(::SetEnvironmentVariableA("TMP", folder.c_str()));
  ASSERT_TRUE(::SetEnvironmentVariableA("TEMP", folder.c_str()));
  ASSERT_EQ(HexTempFolder(), folder + "\\");

  const std::string eventName = "tq-claim-two-go-" + std::to_string(::GetCurrentProcessId());
  HANDLE go = ::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  ASSERT_NE(go, nullptr);
  constexpr int kCount = 4000;
  std::string line = std::string("\"") + TQ_CLAIM_PEER + "\" " + eventName + " " + std::to_string(kCount);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  ::SetEvent(go);

  int failed = 0;
  for (int i = 0; i < kCount; ++i) {
    const std::string name = ClaimTempFile();
    if (name.empty()) {
      ++failed;
    } else {
      FileDelete(name);
    }
  }
  DWORD peer = 12345;
  if (::WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) ::GetExitCodeProcess(pi.hProcess, &peer);
  else ::TerminateProcess(pi.hProcess, 99);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(go);
  ::RemoveDirectoryA(folder.c_str());

  EXPECT_EQ(failed, 0) << "claims that failed in this process, of " << kCount;
  EXPECT_EQ(peer, 0u) << "the other process's claims (1: one failed)";
}

// A folder that cannot take a file gives no name (and ends the tries).
TEST(ClaimTempFile, AFolderThatIsNotThereGivesNoName) {
  char temp[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string missing = std::string(temp) + "tq-claim-no-such-folder";
  ASSERT_TRUE(::SetEnvironmentVariableA("TMP", missing.c_str()));
  EXPECT_EQ(ClaimTempFile(), "");
  ::SetEnvironmentVariableA("TMP", temp);
}

}  // namespace
