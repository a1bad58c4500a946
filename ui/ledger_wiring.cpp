// The ledger windows in the main window: 三栏式帐, 多栏式帐, 数量金额式帐 and 复币式帐, each asking its
// account and months, then opening its view; the views' own dialogs answer here.
#include "ledger_wiring.h"

#include <memory>

#include "app/application.h"
#include "app/command_table.h"
#include "aux_catalogue_dialog.h"
#include "form_view_widget.h"
#include "ledger_period_dialog.h"
#include "ledgers/aux_catalogue_dlg.h"
#include "ledgers/ledger_line.h"
#include "ledgers/ledger_period_dlg.h"
#include "ledgers/multi_column_ledger.h"
#include "ledgers/quantity_currency_ledger.h"
#include "ledgers/three_column_ledger.h"
#include "main_frame.h"

namespace {

struct Chosen {
  std::string code, start, end, period;
};

template <class View>
QWidget* NewWindow(CVyDataEnv& env, std::unique_ptr<View> view) {
  view->SetDataEnv(&env);
  return new FormViewWidget(std::move(view));
}

template <class View>
View* ViewOf(QWidget* widget) {
  auto* w = qobject_cast<FormViewWidget*>(widget);
  return w ? dynamic_cast<View*>(&w->View()) : nullptr;
}

// The catalogue dialog of a mode over the whole year; then the kind's own test.
DataWindowKit CatalogueKit(CQirnApp& app, CMainFrame& frame, int mode,
                           std::function<bool(const Chosen&)> test,
                           std::function<std::unique_ptr<CLedgerView>()> make,
                           std::function<void(QWidget*, const Chosen&)> load) {
  auto chosen = std::make_shared<Chosen>();
  DataWindowKit kit;
  CVyDataEnv& env = app.env;
  kit.ask = [&env, mode, chosen, test](QWidget*) {
    CAuxCatalogueDlg dialog(env, mode, "", MonthKey(env.year, 1), MonthKey(env.year, 12));
    if (!AskAuxCatalogue(dialog)) return false;
    *chosen = {dialog.code, dialog.start, dialog.end, dialog.periodText};
    return test(*chosen);
  };
  kit.createView = [&env, make] { return NewWindow(env, make()); };
  kit.load = [chosen, load](QWidget* w) { load(w, *chosen); };
  (void)frame;
  return kit;
}

}  // namespace

void WireLedgerCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;

  auto code = std::make_shared<std::string>();
  DataWindowKit three;
  three.ask = [&env, code](QWidget*) {
    *code = CQirnzb1::ChooseAccount(env, "", 12);
    return !code->empty();
  };
  three.createView = [&env] { return NewWindow(env, std::make_unique<CQirnzb1>()); };
  three.load = [code](QWidget* w) {
    if (auto* v = ViewOf<CQirnzb1>(w)) v->Open(*code);
  };
  frame.SetDataWindowKit(cmd::kThreeColumn, three);

  frame.SetDataWindowKit(cmd::kMultiColumn, CatalogueKit(
                                                app, frame, CAuxCatalogueDlg::kMultiColumn,
                                                [&env](const Chosen& c) {
                                                  return CQirnzb2::HasContent(env, c.code, MonthNumber(c.end),
                                                                              "本科目无经济内容!");
                                                },
                                                [] { return std::make_unique<CQirnzb2>(); },
                                                [](QWidget* w, const Chosen& c) {
                                                  if (auto* v = ViewOf<CQirnzb2>(w))
                                                    v->Open(c.code, c.start, c.end, c.period);
                                                }));
  for (int kind : {0, 1})
    frame.SetDataWindowKit(
        kind == 0 ? cmd::kQuantityLedger : cmd::kCurrencyLedger,
        CatalogueKit(
            app, frame, kind == 0 ? CAuxCatalogueDlg::kQuantity : CAuxCatalogueDlg::kCurrency,
            [&env, kind](const Chosen& c) {
              return CQirnzb3::CanShow(env, kind, c.code, MonthNumber(c.end));
            },
            [kind] { return std::make_unique<CQirnzb3>(kind); },
            [](QWidget* w, const Chosen& c) {
              if (auto* v = ViewOf<CQirnzb3>(w)) v->Open(c.code, c.start, c.end, c.period);
            }));
}
