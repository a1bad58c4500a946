#pragma once
// The calculator window "Tavrel计算器". Everything it decides is in CCalculatorDlg; this dialog only shows
// the fields and forwards the buttons.
#include <QDialog>
#include <optional>
#include <string>

#include "calc/calculator_dlg.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

class CalculatorDialog : public QDialog {
  Q_OBJECT

 public:
  // env, when given and open, supplies the stored variables of its file.
  CalculatorDialog(QWidget* parent, const std::string& expression, bool canSend, CVyDataEnv* env = nullptr);
  // Over a model the core made (a form view's calculator).
  CalculatorDialog(CCalculatorDlg& model, QWidget* parent, CVyDataEnv* env = nullptr);

  const CCalculatorDlg& Model() const { return model_; }
  QPlainTextEdit* ExpressionField() const { return expression_; }
  QLineEdit* ResultField() const { return result_; }
  QPushButton* ComputeButton() const { return compute_; }
  QPushButton* ClearButton() const { return clear_; }
  QPushButton* SendButton() const { return send_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build(CVyDataEnv* env);
  bool TakeExpression();
  void ShowModel();
  void OnCompute();
  void OnClear();
  void OnSend();
  void OnVariableChosen(QListWidgetItem* item);

  std::optional<CCalculatorDlg> own_;
  CCalculatorDlg& model_;
  QPlainTextEdit* expression_;
  QLineEdit* result_;
  QListWidget* variables_ = nullptr;
  QPushButton *compute_, *clear_, *send_, *cancel_;
};

// Opens the calculator modally with a starting expression. Returns the result the user sent back (GBK), or
// nothing when the dialog was cancelled or sending back is not allowed.
std::optional<std::string> RunCalculator(QWidget* parent, const std::string& expression, bool canSend,
                                         CVyDataEnv* env = nullptr);
