// Day counts of the interest calculation.
#include "interest/day_count.h"

#include <algorithm>

#include "base/date.h"

namespace {

// Days since 1 March of year 0 in the Gregorian calendar (a day number that only differences use).
long DayNumber(int y, int m, int d) {
  if (m <= 2) --y;
  long era = (y >= 0 ? y : y - 399) / 400;
  long yoe = y - era * 400;
  long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

}  // namespace

long CountDays(const std::string& a, const std::string& b, DayCount method) {
  if (a.size() != 8 || b.size() != 8) return -1;
  if (a == b) return 0;
  int ya = 0, ma = 0, da = 0, yb = 0, mb = 0, db = 0;
  if (!SplitDate(a, ya, ma, da) || !SplitDate(b, yb, mb, db)) return -1;
  if (method == DayCount::ActualMonths) return DayNumber(yb, mb, db) - DayNumber(ya, ma, da);
  da = std::min(da, 30);
  db = std::min(db, 30);
  return db + ((yb - ya) * 12L + mb - ma) * 30 - da;
}
