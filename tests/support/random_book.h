#pragma once
// Random books for the tests that compare a quick path with the statements per account: a chart of up to
// five top accounts with up to three levels below, opening balances on most lowest-level accounts, and
// postings on the first or last day of random periods, now and then on an account that has sub-accounts.
// The writing is left to the caller (straight into SUBT and P0 of whichever year file it likes).
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "accounts/period.h"
#include "base/text.h"

struct RandomBook {
  std::vector<std::string> leaves, parents;

  int Pick(std::mt19937& rnd, int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); }

  // The chart, through account(code, name) in order, parents first.
  void Chart(std::mt19937& rnd, const std::function<void(const std::string&, const std::string&)>& account) {
    for (int top = 1; top <= 5; ++top) {
      std::string a = Format("%d", 1000 + top);
      account(a, "科目" + a);
      int children = Pick(rnd, 4);
      if (children == 0) leaves.push_back(a);
      for (int c = 1; c <= children; ++c) {
        std::string b = Format("%s-%d", a.c_str(), c);
        account(b, "明细" + b);
        parents.push_back(a);
        int grand = Pick(rnd, 3);
        if (grand == 0) leaves.push_back(b);
        for (int g = 1; g <= grand; ++g) {
          std::string d = Format("%s-%d", b.c_str(), g);
          account(d, "项目" + d);
          leaves.push_back(d);
          if (g == 1) parents.push_back(b);
        }
      }
    }
  }

  // Opening balances of two thirds of the leaves, through opening(code, f, amount); some of them too small
  // to count as an amount.
  void Openings(std::mt19937& rnd, const std::function<void(const std::string&, int, double)>& opening) {
    for (const std::string& leaf : leaves) {
      if (!Pick(rnd, 3)) continue;
      int f = Pick(rnd, 2) ? 1 : -1;
      double amount = Pick(rnd, 5) == 0 ? 0.000005 : Pick(rnd, 1000000) / 100.0;
      opening(leaf, f, amount);
    }
  }

  // count postings in the year through post(code, date, f, amount, mark).
  void Postings(std::mt19937& rnd, int count, const AccountingYear& year,
                const std::function<void(const std::string&, const std::string&, int, double,
                                         const std::string&)>& post) {
    for (int i = 0; i < count; ++i) {
      const std::string& code = Pick(rnd, 40) == 0 && !parents.empty()
                                    ? parents[Pick(rnd, static_cast<int>(parents.size()))]
                                    : leaves[Pick(rnd, static_cast<int>(leaves.size()))];
      PeriodDates p = AccountingPeriod(year, 1 + Pick(rnd, 12));
      std::string date = Pick(rnd, 2) ? p.first : p.last;
      const char* marks[] = {"0", "1", "2"};
      int f = Pick(rnd, 2) ? 1 : -1;
      double amount = Pick(rnd, 500000) / 100.0;
      post(code, date, f, amount, marks[Pick(rnd, 3)]);
    }
  }
};
