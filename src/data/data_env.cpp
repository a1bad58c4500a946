#include "data/data_env.h"

#include <cctype>

#include "base/file_facts.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/account_set.h"
#include "data/collisions.h"
#include "data/db_error.h"
#include "data/db_guard.h"
#include "data/jet/server_engine.h"
#include "data/recordset.h"
#include "data/sql_text.h"

using jet::SqlText;

std::string FolderOf(const std::string& path) {
  // A year on a server lies in its account set, the URI before "#YEAR".
  if (auto server = jet::ParseServerName(path); server && !server->year.empty()) return server->uri;
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  if (auto server = jet::ParseServerName(path); server && !server->year.empty()) return server->year;
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

CVyDataEnv::CVyDataEnv() : db_(std::make_unique<jet::Database>()) {}

bool CVyDataEnv::Fail(int reportErrors, const std::string& message) {
  if (reportErrors) ShowMessage(message, MsgIcon::None);
  return false;
}

// The checks of a year file's name and attributes; path becomes the file's real name.
bool CVyDataEnv::CheckFile(int reportErrors, const std::string& ext, bool readOnly, std::string& path,
                           int& fileYear) {
  // Only the file name's own "." counts: a dot in a folder name says nothing about the extension.
  std::string name = NameOf(path);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) {
    path += "." + ext;
  } else if (dot + 1 == name.size()) {
    path += ext;
  } else if (!SameIgnoringCase(name.substr(dot + 1), ext)) {
    return Fail(reportErrors, "不是Tavrel帐务数据文件！");
  }
  // Linux names are case-sensitive; the program finds 2001.vyx when asked for 2001.VYX.
  path = ResolveIgnoringCase(path);
  name = NameOf(path);

  FileFacts f = Plat().QueryFile(path);
  if (!f.exists) return Fail(reportErrors, "该文件不存在！");
  if (f.isFolder || name == "." || name == "..")
    return Fail(reportErrors, "Tavrel帐务数据文件不能是文件夹！");
  if (f.readOnly && !readOnly) return Fail(reportErrors, "Tavrel帐务数据文件不能是只读文件！");
  if (f.system) return Fail(reportErrors, "Tavrel帐务数据文件不能是系统文件！");
  if (f.hidden) return Fail(reportErrors, "Tavrel帐务数据文件不能是隐藏文件！");

  std::string title = name.substr(0, name.rfind('.'));
  bool digits = !title.empty() && title.size() <= 9;
  for (char c : title) digits = digits && c >= '0' && c <= '9';
  if (!digits || std::atoi(title.c_str()) <= 1989) return Fail(reportErrors, "文件名不是由有效年度构成！");
  fileYear = std::atoi(title.c_str());
  return true;
}

bool CVyDataEnv::Open(const std::string& pathIn, const std::string& opnoIn, int reportErrors,
                      const std::string& ext, bool readOnly) {
  extension = ext;
  loggedIn = 0;
  std::string path = pathIn;
  if (path.empty()) return Fail(reportErrors, "文件名为空！");
  std::string folder;
  int fileYear = 0;
  if (OnServer(path)) {
    // A year on a server, "URI#YEAR": the year's schema takes the place of the file.
    auto server = jet::ParseServerName(path);
    if (!server || server->year.empty() || std::atoi(server->year.c_str()) <= 1989)
      return Fail(reportErrors, "文件名不是由有效年度构成！");
    folder = server->uri;
    fileYear = std::atoi(server->year.c_str());
  } else {
    if (!CheckFile(reportErrors, ext, readOnly, path, fileYear)) return false;
    folder = FolderOf(path);
  }

  try {
    jet::Database probe;
    probe.Open(path, readOnly);
    probe.Close();
  } catch (const jet::DbError& e) {
    // A file another program is writing (a long import) is not broken: say what is happening; on a server
    // the reason (no connection, no such year) is worth more than the general words.
    return Fail(reportErrors, e.Locked() || OnServer(path) ? std::string(e.what()) : "无法打开此文件！");
  }
  // A file whose making a crash interrupted: say so, rather than what its missing tables make SQL say.
  if (jet::Database::IsUnfinished(path))
    return Fail(reportErrors, "此年度文件没有建立完成（建立时被中断），请重新建立该年度文件。");

  return LogIn(reportErrors, path, [&] {
    Close();
    db_->Open(path, readOnly);
    dataDir = folder;
    year = fileYear;
    opno = opnoIn;

    if (QueryLong("SELECT COUNT(*) FROM SYSTAB") < 1) return Fail(reportErrors, "无环境信息！");
    CVyRecordset rs(db_.get(), {"PY", "MM"}, {}, {"Expr1000", "Expr1001", "JT", "T1", "T13"});
    rs.Open("SELECT rtrim(NA),rtrim(KJ),PY,MM,JT,T1,T13 FROM SYSTAB");
    int py = rs.GetLong(0);
    if (py != year) {
      return Fail(reportErrors, std::string("文件名中的年度与实际帐务年度不相符！\n") +
                                    Format("文件名应当改为：“%d.%s”", py, ext.c_str()));
    }
    year = py;
    closedMonth = rs.GetLong(1);
    unitName = rs.GetText(0);
    chiefAccountant = rs.GetText(1);
    closingDay = rs.GetText(2);
    startDate = rs.GetText(3);
    endDate = rs.GetText(4);
    rs.Close();

    return SelectOperator(reportErrors);
  });
}

bool CVyDataEnv::SelectOperator(int reportErrors) {
  bool chosen = false;
  if (!opno.empty()) {
    if (QueryLong(Format("select count(*) from opr where opno='%s'", SqlText(opno).c_str())) >= 1) {
      CVyRecordset op(db_.get(), {}, {}, {"Expr1000", "Expr1001"});
      op.Open(Format("select trim(na),trim(psd) from opr where opno='%s'", SqlText(opno).c_str()));
      opName = op.GetText(0);
      opPassword = op.GetText(1);
      chosen = true;
    } else {
      Fail(reportErrors, "无此操作员！");
    }
  }
  if (!chosen) {
    opno.clear();
    opName.clear();
    if (QueryLong("select count(*) from opr") < 1) return Fail(reportErrors, "本帐套无操作员！");
    CVyRecordset op(db_.get(), {}, {}, {"Expr1000", "Expr1001", "Expr1002"});
    op.Open("select trim(opno),trim(na),trim(psd) from opr order by opno");
    opno = op.GetText(0);
    opName = op.GetText(1);
    opPassword = op.GetText(2);
    if (opno == "101") {
      // The administrator is the default only when nobody else is there.
      op.MoveNext();
      if (!op.IsEOF()) {
        opno = op.GetText(0);
        opName = op.GetText(1);
        opPassword = op.GetText(2);
      }
    }
  }
  return true;
}

bool CVyDataEnv::OpenCopy(const std::string& path, const std::string& opnoIn, int reportErrors,
                          bool readOnly) {
  loggedIn = 0;
  return LogIn(reportErrors, path, [&] {
    Close();
    db_->Open(path, readOnly);
    dataDir = FolderOf(path);
    opno = opnoIn;
    return SelectOperator(reportErrors);
  });
}

bool CVyDataEnv::LogIn(int reportErrors, const std::string& path, const std::function<bool()>& steps) {
  try {
    if (!steps()) return false;
  } catch (const jet::DbError& e) {
    return Fail(reportErrors, e.what());
  }
  loggedIn = 1;
  dataFile = path;
  return true;
}

void CVyDataEnv::LoadRights() {
  rights.clear();
  if (!IsOpen()) return;
  if (QueryLong(Format("select count(*) from pwr where opno = '%s'", SqlText(opno).c_str())) == 0) return;
  CVyRecordset rs(db_.get(), {}, {}, {"Expr1000"});
  rs.Open(Format("select trim(pwr) from pwr where opno = '%s'", SqlText(opno).c_str()));
  for (; !rs.IsEOF(); rs.MoveNext()) rights += rs.GetText(0) + " ";
}

void CVyDataEnv::Close() {
  db_->Close();
}

long CVyDataEnv::QueryLong(jet::Database* db, const std::string& sql) {
  CVyRecordset rs(db, {"Expr1000"}, {}, {});
  rs.Open(sql);
  return rs.IsEOF() ? 0 : rs.GetLong(0);
}

bool CVyDataEnv::RunInTransaction(const std::function<void()>& work) {
  auto once = [&] {
    db_->Begin();
    try {
      work();
      db_->Commit();
    } catch (...) {
      db_->Rollback();
      throw;
    }
  };
  // Only the outermost transaction starts again: a collision ends it, and with it the inner ones.
  bool outermost = db_->TransactionDepth() == 0;
  bool done = RunCatchingDbErrors([&] { outermost ? jet::RetryCollisions(once) : once(); });
  if (done && outermost && afterCommit) afterCommit();
  return done;
}

namespace {

// The name of a logged-in program's connection: the year, then the operator.
std::string SessionPrefix(int year) {
  return Format("tavrel %d ", year);
}

}  // namespace

void CVyDataEnv::AnnounceLogin() {
  db_->NameSession(SessionPrefix(year) + Trim(opno));
}

std::vector<std::string> CVyDataEnv::OthersLoggedIn() {
  std::vector<std::string> others;
  const std::string prefix = SessionPrefix(year);
  for (auto& [tag, since] : db_->OtherSessions(prefix)) {
    std::string other = tag.substr(prefix.size());
    CVyRecordset name(db_.get(), {}, {}, {"Expr1000"});
    name.Open(Format("select trim(na) from opr where trim(opno)='%s'", SqlText(other).c_str()));
    if (!name.IsEOF()) other += " " + name.GetText(0);
    others.push_back(other + "（" + since + " 起）");
  }
  return others;
}

void CVyDataEnv::CopySettingsFrom(const CVyDataEnv& o) {
  dataDir = o.dataDir;
  dataFile = o.dataFile;
  loggedIn = o.loggedIn;
  unitName = o.unitName;
  chiefAccountant = o.chiefAccountant;
  year = o.year;
  closedMonth = o.closedMonth;
  closingDay = o.closingDay;
  startDate = o.startDate;
  endDate = o.endDate;
  opno = o.opno;
  opName = o.opName;
  opPassword = o.opPassword;
  rights = o.rights;
  extension = o.extension;
}
