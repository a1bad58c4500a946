#pragma once
// The open year file together with the year's settings and the login state. The application owns one for
// the whole run; dialogs that probe other files make short-lived ones of their own.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/database.h"

class CVyDataEnv {
 public:
  CVyDataEnv();

  // Validates the file, opens it, reads the year's settings and selects the operator (first the one given,
  // else the default). Messages only when reportErrors is 1. The extension is compared without regard to
  // case.
  // With readOnly the file is only read (the source of a carry forward or a copy): a read-only file is
  // valid then and is opened read-only.
  bool Open(const std::string& path, const std::string& opno, int reportErrors,
            const std::string& extension = "VYX", bool readOnly = false);
  // Opens any file of the program, whatever its name (a backup copy, say), and selects the operator as a
  // login does; the year's settings are not read. For the tool's statements on such files.
  bool OpenCopy(const std::string& path, const std::string& opno, int reportErrors, bool readOnly);
  // Rebuilds the rights text of the logged-in operator from table PWR.
  void LoadRights();
  void Close();
  bool IsOpen() const { return db_->IsOpen(); }

  // The first row's first column of a counting statement, read as "Expr1000".
  static long QueryLong(jet::Database* db, const std::string& sql);
  long QueryLong(const std::string& sql) { return QueryLong(db_.get(), sql); }
  // Runs one change with fail-on-error; throws jet::DbError.
  int Execute(const std::string& sql) { return db_->Execute(sql); }

  // Runs work as one transaction: all of its changes or none. A database error rolls everything back and
  // is shown with the engine's message; returns false then. Work that collides with another writer's on
  // the server is done again from its start (data/collisions.h): it must not keep anything it made on the
  // way outside the transaction.
  bool RunInTransaction(const std::function<void()>& work);
  // Told after each transaction of RunInTransaction went in: whoever shows figures of the whole book (the
  // main window's status bar) looks again.
  std::function<void()> afterCommit;

  // On a server: names this program's connection after the year and the operator logged in, so that the
  // others see it; and who else is logged in to the year, "102 刘会计（2026-12-08 08:10 起）" each. A year
  // file keeps no such list: none.
  void AnnounceLogin();
  std::vector<std::string> OthersLoggedIn();

  // The texts and numbers of another environment (not its database).
  void CopySettingsFrom(const CVyDataEnv& other);

  jet::Database* Db() { return db_.get(); }

  // The year's settings and the login state.
  std::string dataDir;   // folder of the open file (an account set's URI on a server)
  std::string dataFile;  // full path, set only by a successful login
  int loggedIn = 0;
  std::string unitName;         // SYSTAB.NA
  std::string chiefAccountant;  // SYSTAB.KJ
  int year = 0;
  int closedMonth = 0;             // SYSTAB.MM
  std::string closingDay = "031";  // SYSTAB.JT
  std::string startDate;           // SYSTAB.T1
  std::string endDate;             // SYSTAB.T13
  std::string opno, opName, opPassword;
  std::string rights;  // the operator's right codes, each followed by one blank
  std::string extension = "VYX";

 private:
  bool Fail(int reportErrors, const std::string& message);
  // Runs the steps of a login (false or a DbError stops it, the error shown as Fail shows it); when they go
  // through, the environment is logged in on path.
  bool LogIn(int reportErrors, const std::string& path, const std::function<bool()>& steps);
  bool CheckFile(int reportErrors, const std::string& ext, bool readOnly, std::string& path, int& fileYear);
  // The operator: the one given when the file has it, else the default; false when there is none.
  bool SelectOperator(int reportErrors);
  std::unique_ptr<jet::Database> db_;
};

// The folder part and the name part of a path ("/" separates them).
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);
