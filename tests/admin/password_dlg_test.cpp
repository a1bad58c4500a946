#include "admin/password_dlg.h"

#include <gtest/gtest.h>

#include <deque>

#include "base/text.h"
#include "support/scripted_face.h"
#include "support/year_file_fixture.h"

namespace {

class PasswordDlgTest : public YearFileTest {
 protected:
  void SetUp() override {
    path = CreateAccountSetFile(dir.Path(), 2026);
    ASSERT_TRUE(env.Open(path, "102", 1));
  }
  std::string Stored() {
    auto c = env.Db()->Query("select psd from opr where opno='102'");
    return c->IsNull(0) ? "NULL" : RTrim(c->Text(0));
  }
  std::string path;
  CVyDataEnv env;
};

// Plays the confirmation dialog: types each entry and presses OK until it closes; cancels when they run out.
class ScriptedConfirmation : public ScriptedFace<CPasswordConfirmDlg> {
 public:
  bool Run(CPasswordConfirmDlg& dialog) override {
    okStates.push_back(dialog.okEnabled);
    while (!entries.empty()) {
      dialog.OnConfirmationChanged(entries.front());
      entries.pop_front();
      okStates.push_back(dialog.okEnabled);
      if (dialog.okEnabled && dialog.OnOk()) return true;
    }
    return false;
  }
  std::deque<std::string> entries;
  std::vector<bool> okStates;
};

TEST_F(PasswordDlgTest, APasswordIsSetAfterAMatchingConfirmation) {
  CPasswordDlg dlg(env);
  EXPECT_EQ(dlg.operatorText, "102  ×××");
  EXPECT_FALSE(dlg.okEnabled);  // nothing to remove, nothing typed
  dlg.OnPasswordChanged("ab1");
  EXPECT_TRUE(dlg.okEnabled);

  ScriptedConfirmation confirm;
  confirm.entries = {"ab2", "ab1"};
  ASSERT_TRUE(dlg.OnOk());
  EXPECT_EQ(confirm.okStates, (std::vector<bool>{false, true, true}));
  ASSERT_EQ(platform.Texts(),
            (std::vector<std::string>{"确认的口令与先前输入的不一致。", "您的口令设置成功，请牢记之！"}));
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
  EXPECT_EQ(platform.messages[1].icon, MsgIcon::Information);
  EXPECT_EQ(platform.messages[1].caption, "Tavrel软件");
  EXPECT_EQ(Stored(), "ab1");
  EXPECT_EQ(env.opPassword, "ab1");

  CVyDataEnv again;
  ASSERT_TRUE(again.Open(path, "102", 1));
  EXPECT_EQ(again.opPassword, "ab1");
}

TEST_F(PasswordDlgTest, AnEmptyConfirmedEntryRemovesThePassword) {
  env.Execute("update opr set psd='old' where opno='102'");
  env.opPassword = "old";
  CPasswordDlg dlg(env);
  EXPECT_TRUE(dlg.okEnabled);
  ScriptedConfirmation confirm;
  confirm.entries = {""};
  ASSERT_TRUE(dlg.OnOk());
  EXPECT_EQ(confirm.okStates, (std::vector<bool>{true, true}));
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"您的口令已被取消!"});
  EXPECT_EQ(Stored(), "NULL");
  EXPECT_EQ(env.opPassword, "");
}

TEST_F(PasswordDlgTest, ACancelledConfirmationChangesNothingAndReenablesTheDialog) {
  CPasswordDlg dlg(env);
  dlg.OnPasswordChanged("secret");
  ScriptedConfirmation confirm;
  confirm.entries = {"secreT"};
  EXPECT_FALSE(dlg.OnOk());
  EXPECT_TRUE(dlg.controlsEnabled);
  EXPECT_EQ(platform.Texts(), std::vector<std::string>{"确认的口令与先前输入的不一致。"});
  EXPECT_EQ(Stored(), "");
  EXPECT_EQ(env.opPassword, "");
}

TEST_F(PasswordDlgTest, OkWaitsForAPasswordTheBoxAdmitsWhole) {
  CPasswordDlg dlg(env);
  // "縷" and "觸" end in the byte of "|".
  for (const char* ok : {"abc123", "口令", "縷觸", "0123456789"}) {
    dlg.OnPasswordChanged(ok);
    EXPECT_TRUE(dlg.okEnabled) << ok;
  }
  // Pasted texts get into the box unless all of them is refused; a blank at the end could never be typed
  // back at the login, which reads the stored password trimmed.
  for (const char* refused : {"a b", "ab ", " ab", "a|b", "a[", "]", "it's", "\"", "01234567890"}) {
    dlg.OnPasswordChanged(refused);
    EXPECT_FALSE(dlg.okEnabled) << refused;
  }
  ScriptedConfirmation confirm;
  confirm.entries = {"ab "};
  EXPECT_FALSE(dlg.OnOk());
  EXPECT_EQ(Stored(), "");
}

}  // namespace
