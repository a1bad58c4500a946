#pragma once
// The Qt face of "科目查询" (CAccountQueryDlg): the combo box of P's level with P's name beside it, the list
// of P's sub-accounts under its two headings, the count, the name filter, and the buttons to clear it, to go
// down and to go back up. Enter, a double click, the right and left arrows walk as the model says.
#include <optional>
#include <string>

#include "accounts/account_query_dlg.h"
#include "model_dialog.h"

class MaskEdit;
class QComboBox;
class QLabel;
class QTreeWidget;
class QPushButton;
class QToolButton;

class AccountQueryDialog : public ModelDialog<CAccountQueryDlg> {
  Q_OBJECT

 public:
  AccountQueryDialog(CVyDataEnv& env, int mode, const std::string& preset, QWidget* parent = nullptr);

  // Opens the dialog modally; the chosen code, or nullopt.
  static std::optional<std::string> Ask(QWidget* parent, CVyDataEnv& env, int mode,
                                        const std::string& preset);

  QTreeWidget* List() const { return list_; }
  QComboBox* Combo() const { return combo_; }
  MaskEdit* FilterEdit() const { return filter_; }
  MaskEdit* SearchEdit() const { return search_; }
  QTreeWidget* FoundList() const { return found_; }
  QToolButton* UpButton() const { return up_; }
  QPushButton* OkButton() const { return ok_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Shows the model, and closes the dialog when the model has done so.
  void Sync();
  template <class Action>
  void Act(Action action) {
    action();
    Sync();
  }

  QComboBox* combo_;
  QLabel *parentName_, *count_;
  QTreeWidget *list_, *found_;
  MaskEdit *filter_, *search_;
  QPushButton *clear_, *down_, *ok_, *cancel_;
  QToolButton* up_;
};
