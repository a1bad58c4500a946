// The one way the core asks for a dialog: a face per model type, none by default, and scoped faces that
// give back the one they replaced.
#include "base/dialog_asker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FirstModel {
  std::string answer;
};
struct SecondModel {
  int shown = 0;
};

TEST(DialogAsker, AFaceAnswersForItsOwnModelTypeOnlyAndGivesBackTheOneBefore) {
  FirstModel first;
  SecondModel second;
  EXPECT_FALSE(AskDialog(first)) << "nothing can ask without a face";
  std::vector<std::string> log;
  {
    ScopedFace<FirstModel> outer([&](FirstModel& m) {
      log.push_back("outer");
      m.answer = "outer";
      return true;
    });
    EXPECT_TRUE(DialogFace<FirstModel>::Registered());
    EXPECT_FALSE(DialogFace<SecondModel>::Registered());
    EXPECT_FALSE(AskDialog(second));
    {
      ScopedFace<FirstModel> inner([&](FirstModel&) {
        log.push_back("inner");
        return false;  // cancelled
      });
      EXPECT_FALSE(AskDialog(first));
    }
    EXPECT_TRUE(AskDialog(first));
    EXPECT_EQ(first.answer, "outer");
  }
  EXPECT_FALSE(DialogFace<FirstModel>::Registered());
  EXPECT_FALSE(AskDialog(first));
  EXPECT_EQ(log, (std::vector<std::string>{"inner", "outer"}));
}

}  // namespace
