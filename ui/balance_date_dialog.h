#pragma once
// The parameter dialog of the balance table, bound to CBalanceDateDlg; true when its 确认 accepted.
#include <QWidget>

class CBalanceDateDlg;
class QDialog;

bool RunBalanceDateDialog(CBalanceDateDlg& model, QWidget* parent);
// The dialog as it is laid out, for tests and pictures: not yet shown.
QDialog* MakeBalanceDateDialog(CBalanceDateDlg& model, QWidget* parent);
