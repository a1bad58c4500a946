#pragma once
// The Qt face of 报表模板 (CTemplateDlg): the statement chosen or named, its settings, its lines in a grid,
// the statement functions' help beside them; it stays open after 保存 and asks before edits are dropped.
#include "model_dialog.h"
#include "statements/statement_template_dlg.h"

class QComboBox;
class QLineEdit;
class QTableWidget;

class TemplateDialog : public ModelDialog<CTemplateDlg&> {
  Q_OBJECT
 public:
  explicit TemplateDialog(CTemplateDlg& model, QWidget* parent = nullptr);
  void reject() override;

  QTableWidget* Grid() const { return grid_; }

 private:
  void ShowModel();
  void ShowRows();
  void ReadFields();
  void ReadRows();
  void OnChoose(const QString& name);
  void OnSave();
  void OnInsert();
  void OnDelete();
  void Edited();

  QComboBox* names_;
  QLineEdit *name_, *column1_, *column2_, *checkCaption_, *checkFormula_, *closed_, *profit_;
  QTableWidget* grid_;
  bool showing_ = false;
};
