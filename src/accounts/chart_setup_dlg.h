#pragma once
// The chart browser "科目目录操纵" (帐户设置): one level of the account tree at a time — the children of the
// current account — with walking down and up, a jump to another account of the same level, adding and
// modifying accounts through the account dialog, and copying, moving, pasting and deleting whole sets of
// sub-accounts. Every change is written at once.
#include <functional>
#include <string>
#include <vector>

#include "accounts/account_dlg.h"
#include "data/data_env.h"

class CChartSetupDlg {
 public:
  explicit CChartSetupDlg(CVyDataEnv& env);

  static std::string Caption() { return "科目目录操纵"; }

  // Lists the top level; false when the file could not be read (the message was shown).
  bool OnInitDialog();
  void OnSelect(int index);
  // 进入子目录, the right arrow or a double click: the selected account becomes the current one.
  void OnEnter();
  // The up button or the left arrow.
  void OnUp();
  // A line chosen or a code typed in the level selector.
  void OnLevelChosen(const std::string& text);
  // 增加: new children of the current account, one after another until the dialog is cancelled.
  void OnAdd();
  // 修改: the selected account.
  void OnModify();
  // The sub-account commands, on the selected account.
  void OnCopyChildren();
  void OnMoveChildren();
  void OnPasteChildren();
  void OnDeleteChildren();
  // The Delete key: the selected account with its sub-tree.
  void OnDeleteKey();

  // The code of a line: its text up to the first blank.
  std::string CodeOf(int index) const;
  std::string SelectedCode() const { return CodeOf(selected); }
  int IndexOfCode(const std::string& code) const;

  // Fields.
  std::string directory;           // "" at the top level
  std::string heading;             // the current account's code and name
  std::vector<std::string> items;  // "%-17s%s": code, name
  int selected = -1;
  std::string status;
  std::vector<std::string> levelItems;  // the accounts of the current account's own level
  bool addIsDefault = false;            // the list is empty: 增加 is what to do next
  bool closeRequested = false;          // the last account of the top level went with an added series
  bool keepScroll = false;              // the list was refilled in place after a change
  std::string clipSource;
  int clipMode = 0;  // 0 none, 1 copy, 2 move

 private:
  void Fill();
  void FillLevel();
  // The selected code, or "" after "没有选择对象!".
  std::string Chosen();
  bool TryEnter(const std::string& code, bool checkDepth);
  std::string PasteRefusal(const std::string& target);
  // The selected account's sub-accounts onto the clipboard, to copy (1) or to move (2).
  void Take(int mode);

  CVyDataEnv& env_;
};
