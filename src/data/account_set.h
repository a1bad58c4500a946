#pragma once
// Where an account set keeps its years and their copies: a folder of year files, or a database on a server
// whose years and copies are schemas. Everything above the data layer asks this one seam, and the kind is
// decided once, from the account set's name, by AccountSet::Of.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace jet {
class Database;
}

// Whether an account set, or a year of one, is named on a server ("postgresql:..." or "postgres:...", any
// case) rather than a folder or a file. The one place that tells.
bool OnServer(const std::string& name);

// A year an account set may hold, before it is opened.
struct YearPlace {
  std::string title;    // the year
  std::string path;     // its name for Database::Open
  std::string problem;  // "" when it may be opened, else why not ("是只读文件")
};

// One entry of a folder as a year file of ext: nullopt when its name is not "YYYY.ext" (the extension in
// any case) or nothing stands there; a file that is not plain, visible and writable says why not.
std::optional<YearPlace> YearFilePlace(const std::string& folder, const std::string& name,
                                       const std::string& ext);

// A copy of a year kept in the account set, as the storage sees it; what its title means is the backup
// code's business.
struct StoredCopy {
  std::string title;  // "2026-20261207-151000-结转": a file's name without ".vyx", a schema's after "backup-"
  std::string path;     // its name for Database::Open and for RemoveCopy
  long long made = 0;   // the order the copies were made in (a file's modification time)
  bool future = false;  // made while the clock was ahead: says nothing about when
};

class AccountSet {
 public:
  // The account set that place names (a folder or a server URI), or the one holding the year so named.
  static std::unique_ptr<AccountSet> Of(const std::string& place);
  virtual ~AccountSet() = default;

  // A place where an account set can be made: an absolute folder, or a server's database without a year.
  virtual bool IsPlace() const = 0;
  // The years the account set may hold, unopened; none when its place cannot be read.
  virtual std::vector<YearPlace> Places(const std::string& ext) const = 0;
  // The name of a year: an existing file of that year whatever the case of its extension, else
  // folder/YYYY.ext in lower case; on a server URI#YYYY.
  virtual std::string YearPath(const std::string& year, const std::string& ext) const = 0;
  // Whether the year so named is there (its file, or its schema).
  virtual bool HasYear(const std::string& yearPath) const = 0;
  // Makes the year so named: made under a working name (a file) or in one transaction (a schema), then
  // filled by fill inside one transaction; what an interrupted making left is removed first, and a failure
  // leaves nothing behind. A new file gets mode. Throws jet::DbError.
  virtual void MakeYear(const std::string& yearPath, unsigned mode,
                        const std::function<void(jet::Database&)>& fill) const = 0;
  // Removes a year; false when it cannot be removed.
  virtual bool DropYear(const std::string& yearPath) const = 0;

  // Held while work that must be alone runs; nothing to hold for a folder, whose year files lock themselves.
  class AloneLock {
   public:
    virtual ~AloneLock() = default;
  };
  // The account set's lock for such work, or nullptr when another program holds it: holder then tells who,
  // what and since when. Throws jet::DbError when the lock cannot be asked for.
  virtual std::unique_ptr<AloneLock> TakeAloneLock(const std::string& who, const std::string& work,
                                                   std::string& holder) const = 0;

  // The copies kept of the account set's years, in no particular order; none when they cannot be read.
  virtual std::vector<StoredCopy> Copies() const = 0;
  // Takes a copy of the open year db under the first title of title(1), title(2), ... that is free, and
  // returns its path; the copy is whole and checked before it carries its name. Throws jet::DbError with the
  // message for the user, leaving nothing behind.
  virtual std::string TakeCopy(jet::Database& db, const std::function<std::string(int)>& title) const = 0;
  // "" when a copy opens as a year of ours, else why not; busy when another process holds it.
  virtual std::string CopyProblem(const std::string& path, bool thorough, bool* busy) const = 0;
  virtual void RemoveCopy(const std::string& path) const = 0;
};

// Where a folder's copies are kept: folder/备份.
std::string CopyFolder(const std::string& accountSetFolder);
// Creates every missing folder of the path (nothing to make for a server's database); false when one cannot
// be made. The folders made get exactly mode, or with 0 the bits the umask leaves.
bool MakeFolders(const std::string& folder, unsigned mode = 0);
