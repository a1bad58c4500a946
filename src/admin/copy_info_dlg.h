#pragma once
// The dialog "Tavrel软件-帐套之间信息拷贝" (拷贝会计信息): copies the chart of accounts (codes, names and
// levels), the calculator's variables and the page settings of the forms 0 to 8 from a year file of another
// account set into the logged-in year. One transaction, after a backup of the current year.
#include <functional>
#include <string>

#include "data/data_env.h"

class CCopyInfoDlg {
 public:
  enum Item { kAccounts, kTemplates, kVoucherKinds, kVariables, kPages, kItems };

  explicit CCopyInfoDlg(CVyDataEnv& env);

  static std::string Caption() { return "Tavrel软件-帐套之间信息拷贝"; }
  static std::string ItemText(int item);  // 会计科目 …
  // Why a choice is not offered for the chosen source.
  static std::string UnavailableText(int item);

  void OnInitDialog();
  // The file dialog chose a source (CCopyZwData): the choices are cleared and enabled for it.
  void OnSourceChosen(const std::string& path, const std::string& unitName);
  void OnItemToggled(int item, bool on);
  // 确认: true when the dialog closes.
  bool OnOk();

  // Fields of the dialog.
  std::string sourceUnit, sourcePath;
  bool chosen[kItems] = {};
  bool enabled[kItems] = {};
  bool okEnabled = false, cancelEnabled = true, chooseEnabled = true;
  std::string status;
  bool progressVisible = false;
  int done = 0, total = 0;  // progress units
  int Percent() const;
  std::string PercentText() const;  // "%3d％"

  std::string finalText, backupPath;
  bool completed = false;
  std::function<void()> onChange;

 private:
  void Step();
  void Run(CVyDataEnv& source);
  bool running_ = false;
  CVyDataEnv& env_;
};
