#pragma once
// Two bookkeepers open sheets of one year and both save. When the second's sheet holds rows the first
// changed after the second opened it, the second is told so and nothing of theirs is written (the first's
// rows are not overwritten); sheets that share no rows both save. Run on a year file (two programs on one
// file) and on a year on the server: the same question for either engine.
#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "support/bookkeeper.h"

inline long PostingsOf(CVyDataEnv& env, const std::string& summary) {
  return env.QueryLong("select count(*) from p0 where rn>0 and trim(mry)='" + summary + "'");
}

inline void ExpectStaleSheetsRefused(const std::string& year, ScriptedPlatform& platform) {
  // A sheet: an account's month when code is given, else a day of the month (by date), with the account
  // its typed row goes to.
  struct Sheet {
    const char* code;
    int day;
    const char* account;
  };
  struct Case {
    const char* name;
    Sheet first, second;
    bool refused;
  } cases[] = {
      {"the same account's month", {"101", 3, "101"}, {"101", 5, "101"}, true},
      {"the same day", {nullptr, 3, "101"}, {nullptr, 3, "201"}, true},
      {"a month holding the other's row of a day", {nullptr, 3, "101"}, {"101", 9, "101"}, true},
      {"a day holding the other's row of a month", {"101", 3, "101"}, {nullptr, 3, "201"}, true},
      {"another account's month", {"101", 3, "101"}, {"201", 3, "201"}, false},
      {"another day", {nullptr, 3, "101"}, {nullptr, 4, "201"}, false},
      {"a month the other's day leaves alone", {nullptr, 3, "102-1"}, {"101", 3, "101"}, false},
  };
  Bookkeeper a(year), b(year);
  ASSERT_TRUE(a.opened && b.opened);
  int month = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ++month;  // each case in a month of its own
    auto open = [&](Bookkeeper& k, const Sheet& s) {
      if (s.code)
        k.OpenMonth(s.code, month);
      else
        k.OpenDay(month, s.day);
    };
    auto type = [&](Bookkeeper& k, const Sheet& s, const std::string& summary) {
      if (s.code)
        k.Type({std::to_string(s.day), summary, "10"});
      else
        k.Type({summary, s.account, "10"});
    };
    const std::string first = Format("甲%d", month), second = Format("乙%d", month);
    open(a, c.first);
    open(b, c.second);
    type(a, c.first, first);
    type(b, c.second, second);
    ASSERT_EQ(a.Save(platform), CEntryView::kSaved);
    int result = b.Save(platform);
    const std::string sheet = c.second.code ? Format("2026 年 %d 月帐户 %s ", month, c.second.code)
                                            : Format("2026 年 %d 月 %d 日", month, c.second.day);
    if (c.refused) {
      EXPECT_EQ(result, CEntryView::kFailed);
      EXPECT_EQ(platform.messages.back().text,
                sheet + "的数据在本窗口打开之后已被其他用户修改，本次存盘没有写入任何数据，以免覆盖别人的修改。"
                        "\n\n请记下本次录入的内容，重新打开后再录入。");
      EXPECT_TRUE(b.view->IsModified());  // what was typed is still there to be noted
    } else {
      EXPECT_EQ(result, CEntryView::kSaved);
    }
    EXPECT_EQ(PostingsOf(a.env, first), 1);
    EXPECT_EQ(PostingsOf(a.env, second), c.refused ? 0 : 1);
    // Opened again, the sheet saves; and a window that saved saves again without being refused by its own
    // rows.
    open(b, c.second);
    type(b, c.second, second + "再");
    EXPECT_EQ(b.Save(platform), CEntryView::kSaved);
    type(b, c.second, second + "又");
    EXPECT_EQ(b.Save(platform), CEntryView::kSaved);
    EXPECT_EQ(PostingsOf(a.env, first), 1);
    EXPECT_EQ(PostingsOf(a.env, second + "又"), 1);
  }
}
