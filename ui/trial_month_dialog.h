#pragma once
// The parameter dialog of 试算平衡表, bound to CTrialMonthDlg: the month of the open year; true when its 确认
// accepted.
#include <QWidget>

class CTrialMonthDlg;
class QDialog;

bool RunTrialMonthDialog(CTrialMonthDlg& model, QWidget* parent);
// The dialog as it is laid out, for tests and pictures: not yet shown.
QDialog* MakeTrialMonthDialog(CTrialMonthDlg& model, QWidget* parent);
