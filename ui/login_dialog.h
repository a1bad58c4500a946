#pragma once
// The login dialog: a list of the data folder's sub-folders and year files, the read-only file name, and
// the panel below (unit, year, operator, password, date, 搜索). CHobdFileDlg decides; this only shows it.
#include "account_set_search_hook.h"
#include "app/login_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;

class LoginDialog : public ModelDialog<CHobdFileDlg&> {
  Q_OBJECT
 public:
  LoginDialog(CHobdFileDlg& model, QWidget* parent = nullptr);

  // The account-set search behind 搜索; without one the button is disabled.
  static void SetSearchHook(AccountSetSearchHook hook);

  // The folder the list shows (GBK).
  const std::string& Folder() const { return folder_; }
  void ShowFolder(const std::string& folder);
  // The user picks a list entry: a folder is walked into, a file is chosen.
  void PickEntry(const QString& name, bool open);
  void Search();

  QListWidget* FileList() const { return list_; }
  QLineEdit* FileNameBox() const { return fileName_; }
  QComboBox* OperatorBox() const { return operators_; }
  MaskEdit* PasswordBox() const { return password_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* SearchButton() const { return search_; }
  QLineEdit* UnitBox() const { return unit_; }
  QLineEdit* YearBox() const { return year_; }
  QLineEdit* DateBox() const { return date_; }

 public slots:
  void accept() override;

 private:
  QWidget* BuildFilePart();
  QWidget* BuildPanel();
  void ShowModel();
  void ApplyFocus();
  void ChooseFile(const std::string& path);

  std::string folder_;
  QComboBox* lookIn_;
  QToolButton* up_;
  QListWidget* list_;
  QLineEdit* fileName_;
  QComboBox* fileType_;
  QLineEdit *unit_, *year_, *date_;
  QComboBox* operators_;
  MaskEdit* password_;
  QPushButton *ok_, *cancel_, *search_;
};
