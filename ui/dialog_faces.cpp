#include "dialog_faces.h"

#include <QDialog>

#include "account_dialog.h"
#include "account_entry_dialog.h"
#include "aux_catalogue_dialog.h"
#include "balance_date_dialog.h"
#include "base/dialog_asker.h"
#include "calculator_dialog.h"
#include "chart_print_dialog.h"
#include "currency_dialog.h"
#include "date_entry_dialog.h"
#include "face_owner.h"
#include "fuzzy_query_dialog.h"
#include "interest_dialog.h"
#include "interest_post_dialog.h"
#include "ledger_period_dialog.h"
#include "login_dialog.h"
#include "operator_dialog.h"
#include "password_dialog.h"
#include "pl_closing_dialog.h"
#include "rate_dialog.h"
#include "reconcile_dialog.h"
#include "statement_dialog.h"
#include "statement_template_dialog.h"
#include "statements/statement_dlg.h"
#include "trial_month_dialog.h"
#include "turnover_range_dialog.h"

namespace {

// The usual face: the dialog class over the model, shown modally.
template <class Face, class Model>
bool Exec(Model& model, QWidget* parent) {
  Face face(model, parent);
  return face.exec() == QDialog::Accepted;
}

}  // namespace

template <class Model>
void DialogFaces::Add(std::function<bool(Model&, QWidget*)> show) {
  QWidget* main = main_;
  registered_.push_back(std::make_shared<ScopedFace<Model>>(
      [main, show = std::move(show)](Model& model) { return show(model, FaceOwner::Over(main)); }));
}

DialogFaces::DialogFaces(QWidget* mainWindow, CVyDataEnv* env) : main_(mainWindow) {
  Add<CHobdFileDlg>(Exec<LoginDialog, CHobdFileDlg>);
  Add<CPasswordConfirmDlg>(Exec<PasswordConfirmDialog, CPasswordConfirmDlg>);
  Add<COperatorDlg>(Exec<OperatorDialog, COperatorDlg>);
  Add<CAccountDlg>(Exec<AccountDialog, CAccountDlg>);
  Add<CCurrencyDlg>(Exec<CurrencyDialog, CCurrencyDlg>);
  Add<CRateDlg>(Exec<RateDialog, CRateDlg>);
  Add<CSubjectChoiceDlg>(Exec<SubjectChoiceDialog, CSubjectChoiceDlg>);
  Add<CAccountEntryDlg>(AccountEntryDialog::Ask);
  Add<CDateEntryDlg>(DateEntryDialog::Ask);
  Add<CLedgerPeriodDlg>(Exec<LedgerPeriodDialog, CLedgerPeriodDlg>);
  Add<CAuxCatalogueDlg>(Exec<AuxCatalogueDialog, CAuxCatalogueDlg>);
  Add<CInterestDlg>(Exec<InterestDialog, CInterestDlg>);
  Add<CInterestPostDlg>(Exec<InterestPostDialog, CInterestPostDlg>);
  Add<CReconcileDlg>(Exec<ReconcileDialog, CReconcileDlg>);
  Add<CBalanceDateDlg>(RunBalanceDateDialog);
  Add<CTurnoverRangeDlg>(RunTurnoverRangeDialog);
  Add<CFuzzyQueryDlg>(RunFuzzyQueryDialog);
  Add<CStatementDlg>(RunStatementDialog);
  Add<CClosingDlg>(Exec<ClosingDialog, CClosingDlg>);
  Add<CTemplateDlg>(Exec<TemplateDialog, CTemplateDlg>);
  Add<CTrialMonthDlg>(RunTrialMonthDialog);
  Add<CCalculatorDlg>([env](CCalculatorDlg& model, QWidget* parent) {
    CalculatorDialog face(model, parent, env);
    return face.exec() == QDialog::Accepted;
  });
}

DialogFaces::~DialogFaces() = default;
