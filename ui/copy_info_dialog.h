#pragma once
// The Qt face of "Tavrel软件-帐套之间信息拷贝" (CCopyInfoDlg), with its file dialog (CCopyZwData).
#include <QDialog>
#include <QFileDialog>

#include "admin/copy_info_dlg.h"
#include "admin/copy_source_dlg.h"

class QCheckBox;
class QLabel;
class QPushButton;

// The status field: a text, or while copying, a dark blue bar across it with the percentage.
class ProgressField : public QWidget {
 public:
  explicit ProgressField(const CCopyInfoDlg& model, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const CCopyInfoDlg& model_;
};

// "选择Tavrel帐务数据文件": keeps itself open until CCopyZwData accepts the file.
class CopySourceFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  CopySourceFileDialog(CCopyZwData& model, QWidget* parent = nullptr);
  void accept() override;

 private:
  CCopyZwData& model_;
};

class CopyInfoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CopyInfoDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  CCopyInfoDlg& Model() { return model_; }
  // What 选帐套 does once the file dialog chose a file.
  void TakeSource(const std::string& path, const std::string& unitName);
  void reject() override;

 private:
  void ChooseSource();
  void OnOk();
  void Sync();

  CVyDataEnv& env_;
  CCopyInfoDlg model_;
  QLabel *unit_, *file_;
  QCheckBox* items_[CCopyInfoDlg::kItems];
  ProgressField* status_;
  QPushButton *okButton_, *cancelButton_, *chooseButton_;
};
