// 备份与恢复: a copy taken now is listed first; a restore asks (否 the default), copies the year as it stands
// and then puts the year back as the copy holds it, which the copy taken before it undoes again.
#include "admin/backups_dlg.h"

#include <gtest/gtest.h>

#include "data/data_env.h"
#include "support/book_rows.h"
#include "support/year_file_fixture.h"

namespace {

class BackupsDlgTest : public YearFileTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    ASSERT_TRUE(env.Open(path, "101", 1));
  }
  void Post(int rn) { env.Execute(book_rows::Posting(3, "20260305", "1001", 1, 10, rn, "摘要", "0")); }
  long Postings() { return env.QueryLong("select count(*) from p0 where rn>0"); }
  std::string path;
  CVyDataEnv env;
};

TEST_F(BackupsDlgTest, ARestoreAsksCopiesThePresentAndPutsTheYearBack) {
  Post(1);
  CBackupsDlg dlg(env);
  dlg.OnInitDialog();
  EXPECT_TRUE(dlg.entries.empty());
  EXPECT_FALSE(dlg.RestoreEnabled());
  dlg.OnBackup();
  ASSERT_EQ(dlg.entries.size(), 1u);
  EXPECT_NE(dlg.lines[0].find("随时备份"), std::string::npos) << dlg.lines[0];
  EXPECT_EQ(platform.messages.back().icon, MsgIcon::Information);

  Post(2);
  struct Case {
    MsgAnswer answer;
    long postings;   // after the answer
    size_t entries;  // copies listed after it
  } cases[] = {{MsgAnswer::No, 2, 1}, {MsgAnswer::Yes, 1, 2}};
  for (const Case& c : cases) {
    dlg.selected = static_cast<int>(dlg.entries.size()) - 1;  // the copy taken with one posting
    platform.answers = {c.answer};
    platform.messages.clear();
    dlg.OnRestore();
    EXPECT_EQ(platform.messages[0].defaultButton, MsgAnswer::No);
    EXPECT_EQ(Postings(), c.postings);
    EXPECT_EQ(dlg.entries.size(), c.entries);
  }
  EXPECT_NE(platform.LastText().find("恢复前的数据已备份到"), std::string::npos) << platform.LastText();
  EXPECT_TRUE(env.loggedIn);
  EXPECT_EQ(env.opno, "101");

  // The copy taken before the restore, now the newest, undoes it.
  dlg.selected = 0;
  platform.answers = {MsgAnswer::Yes};
  dlg.OnRestore();
  EXPECT_EQ(Postings(), 2);
  EXPECT_EQ(dlg.entries.size(), 3u);
}

}  // namespace
