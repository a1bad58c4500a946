#pragma once
// Random books for the tests that hold two ways of reckoning to each other (a quick path and the statements
// per account, two reports that must agree): a chart of up to three levels, opening balances, and postings of
// all marks on the first, the last or any day of random periods, now and then a reversal (a negative amount)
// or a posting on an account that has sub-accounts, which only the count sees. The shape is chosen by
// RandomBookShape; the rows are handed to the caller, who writes them wherever the test wants them.
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "accounts/period.h"
#include "base/text.h"

struct RandomBookShape {
  std::vector<std::string> tops = {"1001", "1002", "1003", "1004", "1005"};
  int minChildren = 0, maxChildren = 3;  // sub-accounts of each top account
  int maxGrandchildren = 2;              // and of each of those
  bool parentsOpen = false;              // opening rows on accounts with sub-accounts too
  // Amounts in whole 1/unit yuan: cents, or with 1000 mills, as a year file written by other means may hold.
  double unit = 100;
  int reversalOneIn = 15;                // a negative amount one posting in so many (0: never)
  // Amounts that are not whole cents, a red one or zero, one posting in oddOneIn (0: never).
  std::vector<double> oddAmounts;
  int oddOneIn = 0;
  bool oddTexts = false;                       // now and then a summary with a line break in it
  std::vector<std::string> marks = {"0", "1", "2"};
  int rowNumbers = 0;                          // 0: every posting its own; n: 1..n, so many share one
  int parentOneIn = 40;                        // a posting on an account with sub-accounts (0: never)
  // Books that balance: each posting comes with its counter posting (another lowest-level account, the
  // same day, amount and mark, the other side), and the openings add up to nothing.
  bool balanced = false;
};

// One posting as the generator makes it.
struct RandomPosting {
  std::string code, date;
  int side;
  double amount;
  std::string mark, summary;
  int rn;
};

struct RandomBook {
  RandomBookShape shape;
  std::vector<std::string> leaves, parents;

  int Pick(std::mt19937& rnd, int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); }
  template <class T>
  const T& PickOf(std::mt19937& rnd, const std::vector<T>& from) {
    return from[static_cast<size_t>(Pick(rnd, static_cast<int>(from.size())))];
  }

  // The chart, through account(code, name) in order, parents first.
  void Chart(std::mt19937& rnd, const std::function<void(const std::string&, const std::string&)>& account) {
    for (const std::string& a : shape.tops) {
      account(a, "科目" + a);
      int children = shape.minChildren + Pick(rnd, shape.maxChildren - shape.minChildren + 1);
      if (children == 0) leaves.push_back(a);
      for (int c = 1; c <= children; ++c) {
        std::string b = Format("%s-%d", a.c_str(), c);
        account(b, "明细" + b);
        if (c == 1) parents.push_back(a);
        int grand = Pick(rnd, shape.maxGrandchildren + 1);
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

  // Opening balances of two thirds of the accounts, through opening(code, side, amount); some of them too
  // small to count as an amount.
  void Openings(std::mt19937& rnd, const std::function<void(const std::string&, int, double)>& opening) {
    std::vector<std::string> codes = leaves;
    if (shape.parentsOpen) codes.insert(codes.end(), parents.begin(), parents.end());
    // A balanced book keeps its last account for the opening that makes the others add up to nothing.
    const std::string last = shape.balanced && !codes.empty() ? codes.back() : std::string();
    if (!last.empty()) codes.pop_back();
    long long net = 0;  // in 1/unit yuan
    for (const std::string& code : codes) {
      if (!Pick(rnd, 3)) continue;
      int side = Pick(rnd, 2) ? 1 : -1;
      int units = 0;
      double amount = 0.000005;  // too small to count
      if (Pick(rnd, 5) != 0 || shape.balanced) {
        units = Pick(rnd, 1000000);
        amount = units / shape.unit;
      }
      net += side * units;
      opening(code, side, amount);
    }
    if (!last.empty() && net != 0) opening(last, net > 0 ? -1 : 1, static_cast<double>(net > 0 ? net : -net) / shape.unit);
  }

  // count postings in the year, through post().
  void Postings(std::mt19937& rnd, int count, const AccountingYear& year,
                const std::function<void(const RandomPosting&)>& post) {
    for (int i = 0; i < count; ++i) {
      RandomPosting p;
      const bool onParent = !shape.balanced && shape.parentOneIn && Pick(rnd, shape.parentOneIn) == 0;
      p.code = onParent && !parents.empty() ? PickOf(rnd, parents) : PickOf(rnd, leaves);
      PeriodDates period = AccountingPeriod(year, 1 + Pick(rnd, 12));
      p.date = Pick(rnd, 2) ? period.first : period.last;
      // Any day of the period's closing month, when the period holds it.
      if (Pick(rnd, 3) == 0) {
        std::string any = period.last.substr(0, 6) + Format("%02d", 1 + Pick(rnd, 28));
        if (period.first <= any && any <= period.last) p.date = any;
      }
      p.side = Pick(rnd, 2) ? 1 : -1;
      p.amount = Pick(rnd, 500000) / shape.unit;
      if (shape.reversalOneIn && Pick(rnd, shape.reversalOneIn) == 0) p.amount = -p.amount;
      if (shape.oddOneIn && Pick(rnd, shape.oddOneIn) == 0) p.amount = PickOf(rnd, shape.oddAmounts);
      p.mark = PickOf(rnd, shape.marks);
      p.summary = shape.oddTexts && Pick(rnd, 20) == 0 ? "换\r行" : Format("摘要%d", Pick(rnd, 5));
      p.rn = shape.rowNumbers ? 1 + Pick(rnd, shape.rowNumbers) : i + 1;
      post(p);
      if (!shape.balanced) continue;
      RandomPosting counter = p;
      counter.code = PickOf(rnd, leaves);
      counter.side = -p.side;
      counter.rn = p.rn + count;
      post(counter);
    }
  }
};
