#pragma once
// The parameter dialog of the balance-and-turnover table, bound to CTurnoverRangeDlg; true when its 确认
// accepted.
#include <QWidget>

class CTurnoverRangeDlg;
class QDialog;

bool RunTurnoverRangeDialog(CTurnoverRangeDlg& model, QWidget* parent);
// The dialog as it is laid out, for tests and pictures: not yet shown.
QDialog* MakeTurnoverRangeDialog(CTurnoverRangeDlg& model, QWidget* parent);
