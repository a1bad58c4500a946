#pragma once
// The dialog "年度帐务数据结转" (转帐): finds the account set's most recent earlier year, lets the user
// choose what to carry, and copies the chart and currencies the current year lacks and carries the closing
// balances in as opening rows. The whole run is one transaction, taken after a backup of the current year.
#include <functional>
#include <string>

#include "admin/year_carry.h"
#include "base/platform.h"
#include "data/data_env.h"

class CCarryForwardDlg : private CarryReporter {
 public:
  enum Item { kAccounts, kVoucherKinds, kTemplates, kBalances, kItems };

  explicit CCarryForwardDlg(CVyDataEnv& env);
  ~CCarryForwardDlg() override;

  static std::string Caption() { return "年度帐务数据结转"; }
  static std::string ItemText(int item);  // 会计科目表 …
  static std::string HelpText();

  // Finds and opens the source; false when there is nothing to carry from (the message was shown) and the
  // dialog closes.
  bool OnInitDialog();
  void OnItemToggled(int item, bool on);
  // 确认: true when the dialog closes.
  bool OnOk();
  // 取消, or the dialog closing any other way.
  void OnCancel();
  // The progress timer's tick (every 10 milliseconds while timerRunning).
  void OnTimer();

  // Fields of the dialog.
  std::string unitText, sourceYearText, currentYearText;
  bool chosen[kItems] = {};
  bool enabled[kItems] = {};
  bool okEnabled = true;
  std::string status;
  bool progressVisible = false;
  int progressPos = 1;  // 1..100, stepping by 3 and starting again from 1
  bool timerRunning = false;
  std::string PercentText() const;

  // Income and expense accounts that still hold a balance at the previous year's end would be carried into
  // this year's openings. The window asks whether to close them there first; the tool refuses unless told
  // to keep them.
  enum class OpenProfitAndLoss { Ask, Refuse, Keep };
  OpenProfitAndLoss openPl = OpenProfitAndLoss::Ask;

  // After a run: the closing message and the copy taken before it.
  std::string finalText, backupPath;
  bool completed = false;

  // Called whenever a field changed during the run, so that the window can redraw itself.
  std::function<void()> onChange;

 private:
  void Status(const std::string& text) override;
  void Warn(const std::string& text) override;
  bool Ask(const std::string& text) override;
  void RowDone() override;
  MsgAnswer Show(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons);
  void StepProgress();
  void Changed();
  void Idle();  // status back to the choice, progress hidden
  std::string ChoiceQuestion() const;
  std::string CheckReport(bool hadOpenings) const;
  void Run(bool hadOpenings);
  // The question (or refusal) about the previous year's open profit and loss; false when the carry stops.
  bool SettleProfitAndLoss();

  CVyDataEnv& env_;
  CVyDataEnv source_;
  bool currentHasAccounts_ = false;
};
