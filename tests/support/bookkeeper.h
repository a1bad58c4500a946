#pragma once
// A bookkeeper at an entry window on a year of their own connection (as a second program would be): a
// month of an account (按帐户录入) or a day (按日期录入) opened, rows typed as keys would, saved through the
// window's save flow. The scripted platform of the test or child process answers the save's question.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_env.h"
#include "entry/account_entry_view.h"
#include "entry/date_entry_view.h"
#include "entry/entry_fixture.h"
#include "support/scripted_platform.h"

class Bookkeeper {
 public:
  explicit Bookkeeper(const std::string& year) { opened = env.Open(year, "", 1); }

  void OpenMonth(const std::string& code, int month) {
    auto v = std::make_unique<CQirnpz1>();
    Init(*v);
    v->Load(code, 2026, month, 0);
    view = std::move(v);
  }
  void OpenDay(int month, int day) {
    auto v = std::make_unique<CQirnpz2>();
    Init(*v);
    v->Load(2026, month, day);
    view = std::move(v);
  }
  // Types a row into the empty row at the end: day, summary, debit, credit on a month; summary, account,
  // debit, credit on a day.
  void Type(const std::vector<std::string>& cells) { Keys::TypeRow(*view, view->Sheet().Count() - 1, cells); }
  // Saves, answering 是 to the question; the save flow's result.
  // Saves as a bookkeeper who answers 是 to the save's questions: whether to save, and for a day by date
  // that does not balance (these sheets carry one-sided rows) whether to save it all the same.
  int Save(ScriptedPlatform& platform) {
    platform.answers.push_back(MsgAnswer::Yes);
    platform.answers.push_back(MsgAnswer::Yes);
    int result = view->SaveFlow();
    platform.answers.clear();
    return result;
  }

  CVyDataEnv env;
  bool opened = false;
  std::unique_ptr<CEntryView> view;

 private:
  struct Keys : EntryTest {
    using EntryTest::TypeRow;
  };
  void Init(CEntryView& v) {
    v.SetDataEnv(&env);
    v.InitForm();
    v.OnSize(1400, 900);
  }
};
