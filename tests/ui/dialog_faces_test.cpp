// The face table: every dialog model the core asks for has its Qt face while the table lives, none after;
// and a face opens over the window that is asking, brought up to date first.
#include "dialog_faces.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>
#include <optional>

#include "accounts/account_dlg.h"
#include "accounts/chart_print_dlg.h"
#include "accounts/currency_dlg.h"
#include "accounts/rate_dlg.h"
#include "admin/operator_dlg.h"
#include "admin/password_confirm_dlg.h"
#include "app/login_dlg.h"
#include "base/dialog_asker.h"
#include "calc/calculator_dlg.h"
#include "entry/account_entry_dlg.h"
#include "entry/date_entry_dlg.h"
#include "face_owner.h"
#include "interest/interest_dlg.h"
#include "interest/interest_post_dlg.h"
#include "interest/reconcile_dlg.h"
#include "ledgers/aux_catalogue_dlg.h"
#include "ledgers/ledger_period_dlg.h"
#include "reports/balance_date_dlg.h"
#include "reports/fuzzy_query_dlg.h"
#include "reports/turnover_range_dlg.h"
#include "ui/qt_test_app.h"

namespace {

template <class... Models>
std::vector<bool> Registered() {
  return {DialogFace<Models>::Registered()...};
}

std::vector<bool> AllRegistered() {
  return Registered<CHobdFileDlg, CPasswordConfirmDlg, COperatorDlg, CAccountDlg, CCurrencyDlg, CRateDlg,
                    CSubjectChoiceDlg, CAccountEntryDlg, CDateEntryDlg, CLedgerPeriodDlg, CAuxCatalogueDlg,
                    CInterestDlg, CInterestPostDlg, CReconcileDlg, CBalanceDateDlg, CTurnoverRangeDlg,
                    CFuzzyQueryDlg, CCalculatorDlg>();
}

TEST(DialogFaces, EveryModelTheCoreAsksForHasAFaceWhileTheTableLives) {
  TestQtApp();
  const std::vector<bool> none(AllRegistered().size(), false), all(none.size(), true);
  EXPECT_EQ(AllRegistered(), none);
  {
    DialogFaces faces(nullptr, nullptr);
    EXPECT_EQ(AllRegistered(), all);
  }
  EXPECT_EQ(AllRegistered(), none) << "no face outlives its table";
}

TEST(DialogFaces, AFaceOpensOverTheAskingWindowRefreshedFirst) {
  TestQtApp();
  QWidget mainWindow, asking;
  DialogFaces faces(&mainWindow, nullptr);
  struct Case {
    bool owned;
    QWidget* expected;
    int refreshes;
  } cases[] = {{false, &mainWindow, 0}, {true, &asking, 1}};
  for (const Case& c : cases) {
    int refreshes = 0;
    std::optional<FaceOwner> owner;
    if (c.owned) owner.emplace(&asking, [&] { ++refreshes; });
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
      if (auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        parent = shown->parentWidget();
        shown->reject();
      }
    });
    CCalculatorDlg calculator("1+2", false);
    EXPECT_FALSE(AskDialog(calculator));
    EXPECT_EQ(parent, c.expected) << c.owned;
    EXPECT_EQ(refreshes, c.refreshes) << c.owned;
  }
}

}  // namespace
