#pragma once
// The Qt face of "会计科目打印" (CSubjectChoiceDlg): the whole chart or the sub-tree of one account.
#include "accounts/chart_print_dlg.h"
#include "model_dialog.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

class SubjectChoiceDialog : public ModelDialog<CSubjectChoiceDlg&> {
  Q_OBJECT

 public:
  explicit SubjectChoiceDialog(CSubjectChoiceDlg& model, QWidget* parent = nullptr);
  QRadioButton* AllButton() const { return all_; }
  QRadioButton* OneButton() const { return one_; }
  QLineEdit* CodeField() const { return code_; }
  QPushButton* OkButton() const { return ok_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Choose(bool all);
  void OnOk();

  QRadioButton *all_, *one_;
  QLineEdit* code_;
  QPushButton *ok_, *cancel_;
};
