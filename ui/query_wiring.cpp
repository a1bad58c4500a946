#include "query_wiring.h"

#include <QApplication>

#include "account_query_dialog.h"
#include "accounts/account_asker.h"
#include "app/application.h"
#include "app/command_table.h"
#include "currency_list_dialog.h"
#include "main_frame.h"
#include "rate_list_dialog.h"

void WireQueryCommands(CQirnApp& app, CMainFrame& frame) {
  CVyDataEnv& env = app.env;
  frame.SetCommandHandler(cmd::kAccountQuery, [&] {
    AccountQueryDialog::Ask(&frame, env, accountquery::kBrowse, std::string());
  });
  frame.SetCommandHandler(cmd::kCurrencies, [&] {
    CurrencyListDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });
  frame.SetCommandHandler(cmd::kRates, [&] {
    RateListDialog dialog(env, &frame);
    if (dialog.Ready()) dialog.exec();
  });
  // Whoever asks for an account gets the dialog over the window that asks: a parameter dialog is modal.
  SetAccountAsker([&frame, &env](int mode, const std::string& preset) {
    QWidget* over = QApplication::activeModalWidget();
    return AccountQueryDialog::Ask(over ? over : &frame, env, mode, preset);
  });
}
