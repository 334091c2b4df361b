// A TMFtp on the fake network with everything it reports recorded.
#pragma once

#include "FakeNet.h"
#include "ScriptedFtp.h"

#include "ftp/Ftp.h"
#include "ftp/FtpMisc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

struct FtpClientFixture : testing::Test {
  FakeNet Net;
  std::unique_ptr<TMFtp> Ftp;
  std::vector<std::pair<int, std::string>> Infos, Errors;
  std::vector<std::string> Sent;
  std::map<int, std::string> Answers;
  std::vector<int> Asked;
  int Ready = 0, Received = 0, LoggedIn = 0, Quit = 0;
  std::filesystem::path Dir;

  void SetUp() override {
    Dir = std::filesystem::temp_directory_path() /
          ("tq_ftpclient_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    Ftp = std::make_unique<TMFtp>(nullptr, Net.Factory());
    Ftp->RetryInterval = 1;
    Ftp->SetTimeOut(2);
    Ftp->Retries = 0;
    Ftp->SetServer("127.0.0.1");
    Ftp->OnFtpInfo = [this](TObject*, int code, const std::string& text) {
      Infos.emplace_back(code, text);
      if (code == ftpInfoCommandSent) Sent.push_back(text.substr(0, text.size() - 2));
    };
    Ftp->OnFtpError = [this](TObject*, int code, const std::string& text) { Errors.emplace_back(code, text); };
    Ftp->OnFtpNeedInfo = [this](TObject*, int need, std::string& value) {
      Asked.push_back(need);
      auto it = Answers.find(need);
      if (it != Answers.end()) value = it->second;
    };
    Ftp->OnFtpReady = [this](TObject*) { ++Ready; };
    Ftp->OnFileReceived = [this](TObject*) { ++Received; };
    Ftp->OnLoggedIn = [this](TObject*) { ++LoggedIn; };
    Ftp->OnFtpQuit = [this](TObject*) { ++Quit; };
  }
  void TearDown() override {
    Ftp.reset();
    EXPECT_EQ(Net.LiveSockets(), 0u) << "a socket outlived its client";
    EXPECT_EQ(Net.LiveTimers(), 0u) << "a timer outlived its client";
    std::filesystem::remove_all(Dir);
  }

  bool Login() {
    Ftp->Connect();
    return Net.RunUntil([&] { return LoggedIn > 0 || !Errors.empty(); }) && LoggedIn > 0;
  }
  // Waits for the next completion (or a 10-minute fake-time limit).
  bool WaitReady() {
    int before = Ready;
    return Net.RunUntil([&] { return Ready > before; });
  }
  bool HasInfo(int code) const {
    for (auto& i : Infos)
      if (i.first == code) return true;
    return false;
  }
  bool HasError(int code) const {
    for (auto& e : Errors)
      if (e.first == code) return true;
    return false;
  }
  std::string Local(const std::string& name) const { return (Dir / name).string(); }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(Local(name), std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Local(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  // The names in the test's folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(Dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  bool SentStarting(const std::string& prefix) const {
    for (auto& s : Sent)
      if (s.rfind(prefix, 0) == 0) return true;
    return false;
  }
};
