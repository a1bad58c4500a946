#pragma once
// Account sets on disk: a folder holding one year file per accounting year, named YYYY.vyx. Names are
// compared without regard to case, the extension included.
#include <memory>
#include <string>
#include <vector>

#include "data/account_set.h"

class CVyDataEnv;

// A file of the folder that is a year of an account set: name "*.vyx" with a 4-character title, not a
// folder, read-only, system or hidden file, and it opens ending logged in (SYSTAB's year equals the name).
bool IsValidYearFile(const std::string& folder, const std::string& name, const std::string& ext = "VYX");
// The titles of the folder's valid year files, each once, in ascending order.
std::vector<std::string> YearList(const std::string& folder, const std::string& ext = "VYX");
// The years an account set may hold, before they are opened: the folder's files "YYYY.ext", or the years of
// an account set on a server. A file that is not plain, visible and writable says why not in problem.
std::vector<YearPlace> YearPlaces(const std::string& folder, const std::string& ext);
// A folder holding at least one valid year file.
bool IsAccountSetFolder(const std::string& folder, const std::string& ext = "VYX");
// The path of a year's file in a folder: the existing file of that year whatever the case of its
// extension, else folder/YYYY.vyx.
std::string YearFilePath(const std::string& folder, const std::string& year, const std::string& ext = "VYX");

// Whether a year is there: its file, or its schema on the server.
bool YearExists(const std::string& path);

// A place where an account set can be made: an absolute folder, or a database on a server named by its
// connection URI (without a year).
bool IsAccountSetPlace(const std::string& folder);
// What a new account set is made with, whatever the umask: its folders open to their owner only, its first
// year file read and written by its owner only. (Later years, backups and reports take the book's bits.)
constexpr unsigned kPrivateFolderMode = 0700, kPrivateFileMode = 0600;
// The first year file of a new account set, with kPrivateFileMode: tables and seed rows for the year.
// Returns its path; throws jet::DbError when the file cannot be made (it is removed again then).
std::string CreateAccountSetFile(const std::string& folder, int year, const std::string& ext = "VYX");

// The year dates of a next-year file: the start date's year moves to year - 1 when the current start lies
// before the current year (a start in December), else to year; likewise the end date; month and day stay.
void NextYearDates(const std::string& t1, const std::string& t13, int currentYear, int newYear,
                   std::string& newT1, std::string& newT13);
// The next year's file, derived from the environment's open file: tables, the SYSTAB row and the copies.
// Returns its path; throws jet::DbError (the half-made file is removed again).
std::string CreateNextYearFile(CVyDataEnv& current, int newYear);
// Removes a year's file; false when it cannot be removed.
bool DeleteYearFile(const std::string& path);

// Work on an account set that must be alone (转帐, 拷贝会计信息, deleting a year) holds the account set's lock
// while this lives; a second program that asks is refused and told who holds it, doing what, since when. A
// year file needs none: its own lock keeps a second writer out while the work's transaction runs.
class AloneWork {
 public:
  // place: the account set (folder or server URI); who: the operator; work: what is done ("转帐").
  AloneWork(const std::string& place, const std::string& who, const std::string& work);
  ~AloneWork();
  AloneWork(const AloneWork&) = delete;
  AloneWork& operator=(const AloneWork&) = delete;
  // "" when the work may go on, else the message for the user.
  const std::string& Refusal() const { return refusal_; }

 private:
  std::unique_ptr<AccountSet::AloneLock> lock_;
  std::string refusal_;
};

// The new-year rule: 4 characters, all digits, not below "1990" (as texts), not already a year of the list.
bool CanCreateYear(const std::string& text, const std::vector<std::string>& years);
