#pragma once
// The rows a test book is made of, written the way the program writes them: an account of SUBT, an opening
// row or a posting of P0. Every fixture that writes a book straight into a year file writes through these,
// so the columns and their forms are in one place; the fixtures only choose where the statement goes.
#include <algorithm>
#include <string>

#include "base/text.h"
#include "data/sql_text.h"

namespace book_rows {

// An account; its level follows from the code. fz/fzn: the multi-column flag and its column widths text,
// dl: the kind ('0' plain, '1' quantity, '2' currency), dlf/dlw: the unit's form.
inline std::string Account(const std::string& code, const std::string& name, const std::string& fz = "0",
                           const std::string& fzn = "", const std::string& dl = "0", int dlf = 0, int dlw = 0) {
  int level = 1 + static_cast<int>(std::count(code.begin(), code.end(), '-'));
  return Format("insert into subt(kno,na,clas,op,fz,fzn,dl,dlf,dlw) values('%s','%s',%d,'0','%s','%s','%s',%d,%d)",
                code.c_str(), jet::SqlText(name).c_str(), level, fz.c_str(), fzn.c_str(), dl.c_str(), dlf, dlw);
}

// An opening row (RN 0, four blanks) dated on the year's first day.
inline std::string Opening(const std::string& firstDay, const std::string& code, int side, double amount,
                           double quantity = 0) {
  return Format(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%s','    ',0,'期初余额','%s',%d,%.17g,%.17g,'4','01')",
      firstDay.c_str(), code.c_str(), side, amount, quantity);
}

// A posting of period tt: side 1 debit, -1 credit; mark "1" stays outside the books (MK '0'). The mark is
// written as given, so a test may store an untrimmed one.
inline std::string Posting(int period, const std::string& date, const std::string& code, int side, double amount,
                           int rn, const std::string& summary, const std::string& mark, double quantity = 0) {
  return Format(
      "insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('%s','%s',%d,'%s','%s',%d,%.17g,%.17g,'%s','%02d')",
      date.c_str(), mark.c_str(), rn, jet::SqlText(summary).c_str(), code.c_str(), side, amount, quantity,
      mark == "1" ? "0" : "4", period);
}

}  // namespace book_rows
