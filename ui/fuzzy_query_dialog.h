#pragma once
// The parameter dialog of the fuzzy ledger query, bound to CFuzzyQueryDlg; true when its 确认 accepted.
#include <QWidget>

class CFuzzyQueryDlg;
class QDialog;

bool RunFuzzyQueryDialog(CFuzzyQueryDlg& model, QWidget* parent);
// The dialog as it is laid out, for tests and pictures: not yet shown.
QDialog* MakeFuzzyQueryDialog(CFuzzyQueryDlg& model, QWidget* parent);
