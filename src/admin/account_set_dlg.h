#pragma once
// The dialog "建立新帐套": finds account-set folders, lists their years, creates a new account set. In the
// create form (帐务管理 → 建立帐套) it only creates; in the browse form (the login's 搜索) it also opens a
// year, and its result is that year file's path.
#include <memory>
#include <string>
#include <vector>

#include "data/account_set_search.h"
#include "base/input_mask.h"

class CAccountSetDlg {
 public:
  enum class Form { Create, Browse };

  // currentDataDir and currentYear are the application's: the search ends showing them.
  CAccountSetDlg(Form form, std::string currentDataDir, std::string currentYear,
                 std::string extension = "VYX");

  static std::string Caption() { return "建立新帐套"; }
  static FieldMask FolderMask() { return {"STRING", 260}; }

  void OnInitDialog();

  // 搜索, step by step: BeginSearch disables the buttons; each SearchStep visits one folder and shows it
  // (false once the walk is over, after EndSearch has run); OnTimer is the 5-second tick of the busy picture.
  void BeginSearch(std::vector<std::string> roots);
  bool SearchStep();
  void OnTimer();
  bool Searching() const { return search_ != nullptr; }
  // The whole search at once.
  void Search(std::vector<std::string> roots);

  void OnFolderSelected(int index);
  void OnFolderTextChanged(const std::string& text);
  void OnYearSelected(int index) { selectedYear = index; }
  // 打开 and 建立: true when the dialog closes with OK (the result is set then).
  bool OnOpen();
  bool OnCreate();

  Form form() const { return form_; }
  const std::string& Extension() const { return extension_; }

  // Fields of the dialog.
  std::string folderText;
  std::vector<std::string> folders;
  int selectedFolder = -1;
  std::vector<std::string> years;
  int selectedYear = -1;
  bool createEnabled = true, openEnabled = false, searchEnabled = true, cancelEnabled = true;
  // The chart the new set starts from: "（空科目表）" first, then the shipped charts; the standard one is
  // chosen until the user says otherwise.
  std::vector<std::string> chartItems;
  int selectedChart = 1;
  // The name of the chosen chart ("" for the empty chart).
  std::string ChosenChart() const;
  int busyPicture = 0;  // 0, 1, 2: the picture shown beside the year list while searching
  std::string result;   // the chosen or created year file

 private:
  void Refresh();
  void EndSearch();
  void FillYears(const std::string& folder);
  void SetButtons(bool enabled);
  bool InFolderList(const std::string& text) const;

  Form form_;
  std::string currentDataDir_, currentYear_, extension_;
  std::unique_ptr<AccountSetSearch> search_;
  int refreshes_ = 0;
};
