#pragma once
// The year files interest reads: a period may begin in an earlier year than the one logged in, so the
// postings come from every year file of the account set that the period touches.
#include <string>
#include <vector>

struct YearFileSpan {
  std::string title;  // the file's name without extension: its year
  std::string path;
  std::string first, last;  // SYSTAB.T1 and SYSTAB.T13
  std::string problem;      // why the file cannot be read ("" for a usable one), as a message says it
};

// The account set's year files in folder: names "*.ext" in any case with a 4-character title, ordinary files
// (no folders, hidden, system or read-only entries), each opened to read its first and last day; sorted by
// year. A file that does not open as a year file of this program is not one of them; when refused is given,
// the files left out so are put there, each with its problem.
std::vector<YearFileSpan> ListInterestYearFiles(const std::string& folder, const std::string& ext = "VYX",
                                                std::vector<YearFileSpan>* refused = nullptr);

// The files [first, last] of the period start..end: the first is the latest whose first day is not after
// start, the last the earliest whose last day is not before end. False when no file holds either end.
bool FilesOfPeriod(const std::vector<YearFileSpan>& files, const std::string& start, const std::string& end,
                   size_t& first, size_t& last);

// Whether every year from the first file's to the last file's has a usable file in files: a period is never
// computed without one of its years. Otherwise the message that names the year file and why it cannot be
// read (from refused), or that it is missing.
std::string MissingYearFile(const std::vector<YearFileSpan>& files, size_t first, size_t last,
                            const std::vector<YearFileSpan>& refused, const std::string& folder,
                            const std::string& ext);
// The message for a refused year file whose year lies within [fromYear, toYear], "" when there is none.
std::string RefusedYearFileIn(const std::vector<YearFileSpan>& refused, int fromYear, int toYear);
