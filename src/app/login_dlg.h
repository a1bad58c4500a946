#pragma once
// The login dialog's behaviour: which year file is chosen, its unit name and year, the operator list, the
// password, and the checks of OK. The Qt dialog shows these fields and forwards the user's actions.
#include <string>
#include <vector>

#include "data/data_env.h"
#include "base/input_mask.h"

class CHobdFileDlg {
 public:
  enum class Focus { None, FileList, Operator, Password };

  CHobdFileDlg(std::string initialFile, std::string initialOpno, std::string extension = "VYX");

  // Title and filter texts of the dialog.
  static std::string Title();   // "打开Tavrel项目核算数据文件"
  static std::string Filter();  // "Tavrel项目核算数据文件(*.VYX)|*.VYX||"
  // The stored password has ten bytes at most; the box refuses nothing else, so a password set elsewhere can
  // still be typed.
  static FieldMask PasswordMask() { return {"STRING", 10}; }

  // Shows today's date and probes the initial file.
  void OnInitDialog();
  // A file was chosen in the list, or by the account-set search.
  void OnFileChanged(const std::string& path);
  // The operator drop-down closed.
  void OnOperatorListClosed();
  // OK pressed: true when the dialog closes with OK.
  bool OnOk();

  // The chosen operator's code (the first three characters of the item, blanks removed); "" for none.
  std::string ChosenOpno() const;
  // The file that was validated and is shown in the panel.
  const std::string& ShownFile() const { return shownFile_; }

  // Fields of the dialog.
  std::string fileName;  // the read-only file-name box
  std::string unitName, yearText, dateText;
  std::vector<std::string> operatorItems;
  int selectedOperator = -1;
  std::string password;
  bool operatorEnabled = false, okEnabled = false, passwordEnabled = false;
  Focus focus = Focus::FileList;
  const std::string& Extension() const { return extension_; }

 private:
  void FillOperators();
  std::string initialOpno_;
  std::string extension_;
  std::string shownFile_;
  CVyDataEnv probe_;
};

// The login's check of the password typed for the operator the environment selected; "操作员口今不正确！"
// when it is not the stored one. The tool's login asks it too.
bool PasswordAccepted(const CVyDataEnv& env, const std::string& typed);
