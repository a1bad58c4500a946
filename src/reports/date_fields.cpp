#include "reports/date_fields.h"

#include <cstdlib>

#include "base/text.h"

int ReportDateFields::Number(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 6) return -1;
  for (char c : t)
    if (c < '0' || c > '9') return -1;
  return std::atoi(t.c_str());
}

ReportDateFields::Fault ReportDateFields::Check() const {
  if (Year() < 1990 || Year() > 9999) return kYear;
  if (Month() < 1 || Month() > 12) return kMonth;
  if (Day() < 1 || Day() > DaysInMonth(Year(), Month())) return kDay;
  return kNone;
}

std::string ReportDateFields::Date() const {
  return Format("%04d%02d%02d", Year(), Month(), Day());
}

void ReportDateFields::Set(const std::string& date) {
  if (date.size() < 8) return;
  year = std::to_string(std::atoi(date.substr(0, 4).c_str()));
  month = std::to_string(std::atoi(date.substr(4, 2).c_str()));
  day = std::to_string(std::atoi(date.substr(6, 2).c_str()));
}
