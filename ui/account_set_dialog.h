#pragma once
// The Qt face of "建立新帐套" (CAccountSetDlg): the folder field, the account-set and year lists, the busy
// picture and the buttons 建立, 打开, 搜索, 取消. The search runs one folder per turn of the event loop, so
// the folder being searched is drawn as it goes.
#include <QTimer>
#include <string>
#include <vector>

#include "admin/account_set_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QLabel;
class QComboBox;
class QListWidget;
class QPushButton;

class AccountSetDialog : public ModelDialog<CAccountSetDlg> {
  Q_OBJECT

 public:
  AccountSetDialog(CAccountSetDlg::Form form, const std::string& dataDir, const std::string& year,
                   QWidget* parent = nullptr);

  // The folders 搜索 walks; by default the user's home, the mounted volumes and the data folder.
  void SetSearchRoots(std::vector<std::string> roots) { roots_ = std::move(roots); }
  // As if 搜索 were pressed.
  void StartSearch();
  bool Searching() const { return model_.Searching(); }
  const std::string& Result() const { return model_.result; }

  // The browse form for the login: the chosen year file, or "" when cancelled.
  static std::string Browse(QWidget* parent, const std::string& dataDir, const std::string& year);
  // The create form of 建立帐套.
  static void Create(QWidget* parent, const std::string& dataDir, const std::string& year);

 public slots:
  void reject() override;

 private:
  void Sync();
  void SearchStep();
  void OnCreate();
  void OnOpen();

  std::vector<std::string> roots_;
  MaskEdit* folderEdit_;
  QListWidget* folderList_;
  QListWidget* yearList_;
  QLabel* busy_;
  QComboBox* chartBox_;
  QPushButton *createButton_, *openButton_, *searchButton_, *cancelButton_;
  QTimer stepTimer_, tickTimer_;
  int shownPicture_ = -1;
};
