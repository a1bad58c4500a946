#pragma once
// The file dialog of "选帐套" in the copy between account sets: which year file of another account set the
// information comes from. A choice that fails its checks keeps the file dialog open.
#include <string>

#include "data/data_env.h"

class CCopyZwData {
 public:
  explicit CCopyZwData(CVyDataEnv& current);

  static std::string Title() { return "选择Tavrel帐务数据文件"; }
  static std::string Filter() { return "Tavrel帐务数据文件(*.vyx)|*.vyx||"; }
  static std::string OkCaption() { return "确定"; }
  std::string InitialFolder() const { return current_.dataDir; }
  std::string InitialName() const;

  // OK with the chosen path: true when the file is a year file other than the logged-in one, and the file
  // dialog closes. Then chosenPath and unitName describe it.
  bool OnOk(const std::string& path);

  std::string chosenPath, unitName;

 private:
  CVyDataEnv& current_;
};
