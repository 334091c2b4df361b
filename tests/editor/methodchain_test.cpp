// The notify chain: order, removal while firing, exceptions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/MethodChain.h"

namespace {


struct TListener {
  std::string Name;
  std::vector<std::string>* Log;
  TktNotifyEventChain* Chain = nullptr;
  TListener* RemoveOnFire = nullptr;  // removes this one (maybe itself) when fired
  bool Raise = false;
  void Changed(TObject* sender) {
    Log->push_back(Name);
    if (RemoveOnFire) Chain->Remove(RemoveOnFire->Handler());
    if (Raise) throw Exception("boom " + Name);
  }
  TktNotifyMethod Handler() { return NotifyMethod<&TListener::Changed>(this); }
};

}  // namespace

TEST(MethodChain, FiresInAddingOrderWithTheChainsSender) {
  TObject owner;
  TktNotifyEventChain chain(&owner);
  std::vector<std::string> log;
  TListener a{"a", &log}, b{"b", &log};
  chain.Add(a.Handler());
  chain.Add(b.Handler());
  chain.Add(a.Handler());
  chain.Fire();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a"}));
  chain.Remove(a.Handler());  // every copy
  log.clear();
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"b"});
  EXPECT_EQ(chain.GetCount(), 1);
}

TEST(MethodChain, AHandlerMayRemoveItselfOrOthersWhileFiring) {
  TktNotifyEventChain chain(nullptr);
  std::vector<std::string> log;
  TListener a{"a", &log, &chain}, b{"b", &log, &chain}, c{"c", &log, &chain};
  a.RemoveOnFire = &a;  // itself
  b.RemoveOnFire = &c;  // one not yet called
  chain.Add(a.Handler());
  chain.Add(b.Handler());
  chain.Add(c.Handler());
  chain.Fire();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
  log.clear();
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"b"});
  EXPECT_EQ(chain.GetCount(), 1);
}

TEST(MethodChain, HandlersAddedWhileFiringWaitForTheNextFire) {
  TktNotifyEventChain chain(nullptr);
  std::vector<std::string> log;
  TListener late{"late", &log};
  struct TAdder {
    TktNotifyEventChain* Chain;
    TListener* Late;
    std::vector<std::string>* Log;
    void Changed(TObject*) {
      Log->push_back("adder");
      Chain->Add(Late->Handler());
    }
  } adder{&chain, &late, &log};
  chain.Add(NotifyMethod<&TAdder::Changed>(&adder));
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"adder"});
  log.clear();
  chain.Remove(NotifyMethod<&TAdder::Changed>(&adder));
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"late"});
}

TEST(MethodChain, ExceptionsGoToOnExceptionWhichMayStopTheChain) {
  TktNotifyEventChain chain(nullptr);
  std::vector<std::string> log;
  TListener a{"a", &log}, b{"b", &log};
  a.Raise = true;
  chain.Add(a.Handler());
  chain.Add(b.Handler());
  // Without a handler the exception reaches the caller and the chain stops.
  EXPECT_THROW(chain.Fire(), Exception);
  EXPECT_EQ(log, std::vector<std::string>{"a"});
  // With one that lets it go on, every handler runs.
  std::vector<std::string> caught;
  bool goOn = true;
  chain.OnException = [&](TObject* sender, std::exception& e, bool& doContinue) {
    EXPECT_EQ(sender, &chain);
    EXPECT_TRUE(doContinue);
    caught.push_back(e.what());
    doContinue = goOn;
  };
  log.clear();
  chain.Fire();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(caught, std::vector<std::string>{"boom a"});
  goOn = false;
  log.clear();
  chain.Fire();
  EXPECT_EQ(log, std::vector<std::string>{"a"});
}

TEST(MethodChain, UnassignedHandlersAreRejected) {
  TktNotifyEventChain chain(nullptr);
  try {
    chain.Add(TktNotifyMethod{});
    FAIL() << "no exception";
  } catch (const EktMethodChain& e) {
    EXPECT_EQ(e.Message(), "TktNotifyEventChain.Entry : the parameter `AEvent' must be specified.");
  }
  try {
    chain.Remove(TktNotifyMethod{});
    FAIL() << "no exception";
  } catch (const EktMethodChain& e) {
    EXPECT_EQ(e.Message(), "TktNotifyEventChain.Remove: the parameter `AEvent' must be specified.");
  }
}
