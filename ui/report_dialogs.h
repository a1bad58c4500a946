#pragma once
// The parameter dialogs of the balance table, the balance-and-turnover table and the fuzzy ledger query:
// widgets bound to their models. Each returns true when the model's 确认 accepted the values.
#include <QWidget>

class CBalanceDateDlg;
class CTurnoverRangeDlg;
class CFuzzyQueryDlg;

bool RunBalanceDateDialog(CBalanceDateDlg& model, QWidget* parent);
bool RunTurnoverRangeDialog(CTurnoverRangeDlg& model, QWidget* parent);
bool RunFuzzyQueryDialog(CFuzzyQueryDlg& model, QWidget* parent);

// The dialogs as they are laid out, for tests and pictures: the dialog not yet shown.
class QDialog;
QDialog* MakeBalanceDateDialog(CBalanceDateDlg& model, QWidget* parent);
QDialog* MakeTurnoverRangeDialog(CTurnoverRangeDlg& model, QWidget* parent);
QDialog* MakeFuzzyQueryDialog(CFuzzyQueryDlg& model, QWidget* parent);
