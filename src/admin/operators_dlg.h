#pragma once
// The dialog "操作员及其权限管理": the operators of the open year file and, for the one selected, a tick per
// right. Ticking or clearing a right is written at once; adding, changing and deleting operators too.
#include <functional>
#include <string>
#include <vector>

#include "admin/operator_dlg.h"
#include "data/data_env.h"

// Clears the password of operator opno (one statement). Database errors are thrown.
void ClearPassword(CVyDataEnv& env, const std::string& opno);

class COperatorsDlg {
 public:
  enum class Focus { OperatorList, RightsList };
  struct RightEntry {
    std::string code, name;
    bool ticked = false;
    bool changeable = false;
  };

  explicit COperatorsDlg(CVyDataEnv& env);

  static std::string Caption() { return "操作员及其权限管理"; }
  static std::string ListHeading() { return "操作员代码 姓  名"; }
  static std::string AddButtonText() { return "&A.增加操作员"; }

  // Fills both lists; false when the file could not be read (the message was shown).
  bool OnInitDialog();
  void OnOperatorSelected(int index);
  // A click on a right's box, or the space bar on it: flips it when it may change.
  void OnRightToggled(int index);
  // Which list has the focus: sets the hint, the add button and the arrow picture.
  void OnFocus(Focus list);
  // The Delete key in the operator list.
  void OnDeleteKey();
  // Double-click or Enter on an operator: the modify dialog.
  void OnModify();
  // The add button: the add dialog, again after every operator added, until it is cancelled.
  void OnAdd();
  // &R.清除口令: after a question (否 the default), the selected operator logs in without a password until
  // they set a new one. The administrator never learns or chooses another's password; their own is changed
  // in 操作员口令设置与更改.
  void OnClearPassword();
  bool ClearPasswordEnabled() const { return selectedOperator >= 0 && SelectedCode() != env_.opno; }

  // The code of an operator item: its first three characters, blanks removed.
  std::string CodeOf(int index) const;
  std::string SelectedCode() const { return CodeOf(selectedOperator); }

  // Fields of the dialog.
  std::vector<std::string> operatorItems;  // "%-11s%s": code, name
  int selectedOperator = -1;
  std::string rightsOf;  // the operator the rights list shows
  std::vector<RightEntry> rights;
  std::string hint;
  bool addEnabled = true;
  int arrowPicture = 121;  // 121 points at the add button, 120 at the rights list
  Focus focus = Focus::OperatorList;

 private:
  void FillOperators();
  void ShowRights(const std::string& opno);
  void Select(int index);
  int IndexOfCode(const std::string& code) const;
  // Runs work; a database error is shown and answers false.
  bool Guarded(const std::function<void()>& work);

  CVyDataEnv& env_;
};
