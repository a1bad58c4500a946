#include "query_wiring.h"

#include <QApplication>

#include "account_query_dialog.h"
#include "accounts/account_asker.h"
#include "app/application.h"
#include "currency_list_dialog.h"
#include "main_frame.h"
#include "rate_list_dialog.h"

namespace {

constexpr int kAccountQuery = 40023;
constexpr int kCurrencies = 40027;
constexpr int kRates = 40028;

}  // namespace

void WireQueryCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  frame.SetCommandHandler(
      kAccountQuery, [&] { AccountQueryDialog::Ask(&frame, env, accountquery::kBrowse, std::string()); });
  frame.SetCommandHandler(kCurrencies, [&] {
    CurrencyListDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });
  frame.SetCommandHandler(kRates, [&] {
    RateListDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });
  // Whoever asks for an account gets the dialog over the window that asks: a parameter dialog is modal.
  SetAccountAsker([&frame, &env](int mode, const std::string& preset) {
    QWidget* over = QApplication::activeModalWidget();
    return AccountQueryDialog::Ask(over ? over : &frame, env, mode, preset);
  });
}
