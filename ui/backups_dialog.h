#pragma once
// The Qt face of 备份与恢复 (CBackupsDlg): the year's copies, newest first, with 备份, 恢复 and 关闭.
#include "admin/backups_dlg.h"
#include "model_dialog.h"

class QListWidget;
class QPushButton;

class BackupsDialog : public ModelDialog<CBackupsDlg> {
  Q_OBJECT
 public:
  explicit BackupsDialog(CVyDataEnv& env, QWidget* parent = nullptr);
  QListWidget* List() const { return list_; }
  QPushButton* BackupButton() const { return backup_; }
  QPushButton* RestoreButton() const { return restore_; }

 private:
  void Sync();
  QListWidget* list_;
  QPushButton *backup_, *restore_;
};
