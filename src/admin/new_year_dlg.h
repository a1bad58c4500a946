#pragma once
// The dialog "建立新年度数据文件": lists the years of the open account set, creates the next year's file from
// the open one, and deletes a year file other than the logged-in one.
#include <string>
#include <vector>

#include "data/data_env.h"
#include "base/input_mask.h"

class CNewYearDlg {
 public:
  explicit CNewYearDlg(CVyDataEnv& env);

  static std::string Caption() { return "建立新年度数据文件"; }
  static std::string Note();  // the note beside the fields, lines separated by "\n"
  static std::string DeleteHint() { return "删除: Delete"; }
  static FieldMask YearMask() { return {"STRING 0123456789", 4}; }

  void OnInitDialog();
  void OnYearTextChanged(const std::string& text);
  void OnYearSelected(int index) { selectedYear = index; }
  // 新建: true when the dialog closes.
  bool OnCreate();
  // The Delete key in the year list.
  void OnDeleteKey();

  // Fields of the dialog.
  std::string folder;  // 路径, display only
  std::string yearText;
  std::vector<std::string> years;
  int selectedYear = -1;
  bool createEnabled = false, cancelEnabled = true;

 private:
  CVyDataEnv& env_;
};
