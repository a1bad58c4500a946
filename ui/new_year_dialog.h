#pragma once
// The Qt face of "建立新年度数据文件" (CNewYearDlg).
#include <QDialog>

#include "admin/new_year_dlg.h"

class MaskEdit;
class QListWidget;
class QPushButton;

class NewYearDialog : public QDialog {
  Q_OBJECT

 public:
  explicit NewYearDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  CNewYearDlg& Model() { return model_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Sync();

  CNewYearDlg model_;
  MaskEdit* yearEdit_;
  QListWidget* yearList_;
  QPushButton *createButton_, *cancelButton_;
};
