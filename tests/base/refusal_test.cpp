// The one refusal of the dialog models' checks: the message as the model's dialog shows it, the focus on
// the field, and false, whatever the model keeps its focus in.
#include "base/refusal.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scripted_platform.h"

namespace {

enum class Field { None, Year, Month };

TEST(Refusal, ShowsTheMessageAndMovesTheFocusThere) {
  ScriptedPlatform platform;
  Field focus = Field::None;
  std::string named;
  struct Case {
    bool (*refuse)(Field&, std::string&);
    MsgIcon icon;
    std::string caption;
  } cases[] = {
      {[](Field& f, std::string&) { return Refuse(f, Field::Year, "年度不合理"); }, MsgIcon::Exclamation,
       kMsgCaption},
      {[](Field& f, std::string&) { return Refuse(f, Field::Month, "月份不合理", MsgIcon::Stop, "打印"); },
       MsgIcon::Stop, "打印"},
      {[](Field&, std::string& s) { return Refuse(s, "code", "代码不存在", MsgIcon::Warning); },
       MsgIcon::Warning, kMsgCaption},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.refuse(focus, named));
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().icon, c.icon);
    EXPECT_EQ(platform.messages.back().caption, c.caption);
    EXPECT_EQ(platform.messages.back().buttons, MsgButtons::Ok);
  }
  EXPECT_EQ(focus, Field::Month);
  EXPECT_EQ(named, "code");
  EXPECT_EQ(platform.Texts(), (std::vector<std::string>{"年度不合理", "月份不合理", "代码不存在"}));
}

}  // namespace
