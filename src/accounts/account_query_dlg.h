#pragma once
// The dialog "科目查询": the chart of accounts one level at a time (the direct sub-accounts of the current
// account P, all top-level accounts when P is empty), filtered by a part of their names. In browsing mode it
// only shows; in the choosing modes confirmation returns a code: any account, or only a lowest-level one
// (confirming an account that has sub-accounts opens them instead). Walking down, up or sideways clears the
// filter. Database errors are shown with the engine's message and leave the lists as they were.
#include <functional>
#include <string>
#include <vector>

#include "base/input_mask.h"
#include "data/data_env.h"

class CAccountQueryDlg {
 public:
  enum class Focus { List, Filter };
  enum class State { Open, Chosen, Closed };

  // mode: accountquery::kBrowse, kLowestLevel or kAnyAccount.
  CAccountQueryDlg(CVyDataEnv& env, int mode, std::string preset);

  static std::string Caption() { return "科目查询"; }
  static std::string CodeHeading() { return "科目代码"; }
  static std::string NameHeading() { return "科 目 名 称"; }
  // The list's lines are "%-18s%s": the name starts after this many characters.
  static constexpr int kNameColumn = 18;
  static FieldMask FilterMask() { return {"STRING NOT |[]'\"", 30}; }

  // Fills the lists on the preset. False when the chart is empty: the message was shown and the dialog
  // closes.
  bool OnInitDialog();
  // Enter or 确认: in the list, the selected line (see OnLineChosen); in the filter, the filter is applied.
  void OnOk();
  // A double click on a line, or confirmation in the list.
  void OnLineChosen(int index);
  // &N.进子目 and the right arrow: down into the selected line's account when it has sub-accounts.
  void OnEnterChildren();
  // The return button and the left arrow: up one level, the old P selected.
  void OnUp();
  // Another account chosen in the combo box.
  void OnComboChosen(int index);
  // &C.清条件: the whole level again, the line selected before still selected.
  void OnClearFilter();
  void OnSelect(int index);

  // The search beside the filter, over every level (the filter keeps to the level shown): the accounts whose
  // code starts with text, whose name holds it, or whose name's pinyin initials hold it ("gsyh" finds
  // 工商银行), as "%-18s%s" lines in code order, at most kFound of them, into found.
  static constexpr size_t kFound = 100;
  void OnSearch(const std::string& text);
  // A found account chosen: the list shows its level with it selected.
  void OnFoundChosen(int index);
  std::string search;
  std::vector<std::string> found;

  // The code of a list line: up to the first blank.
  std::string CodeOf(int index) const;
  // The name of a list line: what stands from the name column on.
  std::string NameOf(int index) const;
  std::string StatusText() const;  // "本级有科目%d个"
  bool ClearEnabled() const { return !filter.empty(); }
  bool UpEnabled() const { return !parent.empty(); }
  bool ComboEnabled() const { return !parent.empty(); }
  int mode() const { return mode_; }

  // Fields of the dialog.
  std::string parent;  // P: the account whose sub-accounts are listed; "" for the top level
  std::string filter;  // F
  std::vector<std::string> lines;
  int selected = -1;
  std::vector<std::string> comboCodes;  // the accounts on P's own level
  int comboSelected = -1;
  std::string parentName;  // beside the combo box
  Focus focus = Focus::List;
  State state = State::Open;
  std::string result;  // the code chosen, with State::Chosen

 private:
  // Refills the list under P with the filter; false (after its message) when a filter leaves it empty.
  bool FillList();
  void FillCombo();
  // P becomes code, unfiltered; the line of select is selected (the first line when it is not there).
  void MoveTo(const std::string& code, const std::string& select);
  bool HasSubAccounts(const std::string& code);
  int IndexOfCode(const std::string& code) const;
  // Runs work; a database error is shown and answers false.
  bool Guarded(const std::function<void()>& work);

  CVyDataEnv& env_;
  int mode_;
  std::string preset_;
};
