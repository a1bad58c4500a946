#pragma once
// The dialog of 财务报表 over CStatementDlg: the statement, its month and 上下排列; true when 确认 accepted.
#include <QWidget>

class CStatementDlg;
class QDialog;

bool RunStatementDialog(CStatementDlg& model, QWidget* parent);
// The dialog as it is laid out, for tests and pictures: not yet shown.
QDialog* MakeStatementDialog(CStatementDlg& model, QWidget* parent);
