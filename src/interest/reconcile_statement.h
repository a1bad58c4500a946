#pragma once
// The balance reconciliation statement of one account against its counter-party: the book balance and the
// counter-party's balance, each adjusted by the items only the other side has recorded. Left half: this
// account (date, summary, amount); right half: the counter-party.
#include <array>
#include <string>
#include <vector>

#include "data/data_env.h"
#include "interest/reconcile_dlg.h"

using ReconcileRow = std::array<std::string, 6>;

// "日期：2026 年 1 月 1 日至 2026 年 1 月 31 日"
std::string ReconcileDateText(const ReconcileParams& p);
// "帐户代码：" + code + "  名称：" + the account's full name of width 84.
std::string ReconcileAccountText(CVyDataEnv& env, const ReconcileParams& p);

// The statement's rows. Throws jet::DbError; nothing is written.
std::vector<ReconcileRow> BuildReconciliation(CVyDataEnv& env, const ReconcileParams& p);
