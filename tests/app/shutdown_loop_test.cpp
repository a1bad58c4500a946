#include "app/shutdown_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window_opener.h"
#include "support/scripted_platform.h"

namespace {

// Child windows as the shutdown sees them: the last one is active; an entry window answers its save
// question from the script.
struct FakeChild {
  std::string name;
  bool entry = false;
  SaveAnswer answer = SaveAnswer::Saved;
  bool stubborn = false;  // refuses without a word
};

class FakeFrame : public ShutdownHost {
 public:
  explicit FakeFrame(ShutdownLoop& loop) : loop_(loop) {}
  int OpenChildCount() override { return static_cast<int>(children.size()); }
  void CloseActiveChild() override {
    FakeChild& c = children.back();
    asked.push_back(c.name);
    if (c.stubborn) return;
    if (c.entry && !EntryFrameMayClose(c.answer, loop_)) return;
    children.pop_back();
  }
  std::vector<FakeChild> children;
  std::vector<std::string> asked;

 private:
  ShutdownLoop& loop_;
};

}  // namespace

TEST(Shutdown, ClosesEveryChildActiveFirst) {
  ShutdownLoop loop;
  FakeFrame frame(loop);
  EXPECT_TRUE(loop.Run(frame));  // nothing open
  frame.children = {{"余额表"}, {"录入", true, SaveAnswer::Saved}, {"三栏式帐"}};
  EXPECT_TRUE(loop.Run(frame));
  EXPECT_EQ(frame.asked, (std::vector<std::string>{"三栏式帐", "录入", "余额表"}));
  EXPECT_TRUE(frame.children.empty());
}

TEST(Shutdown, AnEntryWindowWhoseSaveIsCancelledStopsIt) {
  for (SaveAnswer answer : {SaveAnswer::Cancel, SaveAnswer::Retry}) {
    ShutdownLoop loop;
    FakeFrame frame(loop);
    frame.children = {{"余额表"}, {"录入", true, answer}, {"三栏式帐"}};
    EXPECT_FALSE(loop.Run(frame));
    EXPECT_EQ(frame.asked, (std::vector<std::string>{"三栏式帐", "录入"}));
    ASSERT_EQ(frame.children.size(), 2u);  // the refusing window and the one behind it stay open
    EXPECT_FALSE(loop.KeepClosing());
  }
  ShutdownLoop loop;
  FakeFrame frame(loop);
  frame.children = {{"录入", true, SaveAnswer::NotSaved}};
  EXPECT_TRUE(loop.Run(frame));
}

TEST(Shutdown, AWindowThatStaysOpenSilentlyEndsTheLoop) {
  ShutdownLoop loop;
  FakeFrame frame(loop);
  frame.children = {{"余额表"}, {"stuck", false, SaveAnswer::Saved, true}};
  EXPECT_FALSE(loop.Run(frame));
  EXPECT_EQ(frame.asked, (std::vector<std::string>{"stuck"}));
}

namespace {
class FakeOpener : public WindowOpener {
 public:
  bool cancel = false, noFrame = false;
  std::vector<std::string> calls;
  bool AskParameters(const CommandInfo& c) override {
    calls.push_back("ask " + std::to_string(c.id));
    return !cancel;
  }
  bool CreateFrame(const DocTemplate& t, const CommandInfo&) override {
    calls.push_back(std::string("frame ") + t.viewClass);
    return !noFrame;
  }
  void LoadView(const CommandInfo&) override { calls.push_back("load"); }
};
}  // namespace

TEST(OpeningAWindow, AsksThenMakesTheFrameThenLoads) {
  ScriptedPlatform platform;
  FakeOpener opener;
  EXPECT_TRUE(OpenDataWindow(*FindCommand(32782), opener));
  EXPECT_EQ(opener.calls, (std::vector<std::string>{"ask 32782", "frame CQirnzb3", "load"}));

  opener.calls.clear();
  opener.cancel = true;
  EXPECT_FALSE(OpenDataWindow(*FindCommand(40020), opener));
  EXPECT_EQ(opener.calls, (std::vector<std::string>{"ask 40020"}));
  EXPECT_TRUE(platform.messages.empty());

  opener.calls.clear();
  opener.cancel = false;
  opener.noFrame = true;
  EXPECT_FALSE(OpenDataWindow(*FindCommand(32771), opener));
  EXPECT_EQ(opener.calls, (std::vector<std::string>{"ask 32771", "frame CQirnpz1"}));
  EXPECT_EQ(platform.Texts(), (std::vector<std::string>{"命令失败。"}));

  // A command without a window opens nothing.
  opener.calls.clear();
  EXPECT_FALSE(OpenDataWindow(*FindCommand(40025), opener));
  EXPECT_TRUE(opener.calls.empty());
}
