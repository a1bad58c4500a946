// The test cluster's address and scratch databases (test_server.h).
#include "support/test_server.h"

#include <libpq-fe.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace test_server {

namespace {

std::string ReadLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

void Admin(const std::string& clusterUri, const std::string& sql) {
  PGconn* c = PQconnectdb(clusterUri.c_str());
  std::string error;
  if (PQstatus(c) != CONNECTION_OK) {
    error = PQerrorMessage(c);
  } else {
    PQsetNoticeProcessor(c, [](void*, const char*) {}, nullptr);
    PGresult* r = PQexec(c, sql.c_str());
    if (PQresultStatus(r) != PGRES_COMMAND_OK) error = PQresultErrorMessage(r);
    PQclear(r);
  }
  PQfinish(c);
  if (!error.empty()) throw std::runtime_error(sql + ": " + error);
}

// The URI with its database replaced.
std::string WithDatabase(const std::string& uri, const std::string& db) {
  size_t start = uri.find("///");
  size_t end = uri.find('?');
  if (start == std::string::npos || end == std::string::npos)
    throw std::runtime_error("unexpected URI " + uri);
  return uri.substr(0, start + 3) + db + uri.substr(end);
}

}  // namespace

std::string ClusterUri(std::string* why) {
  const char* dir = std::getenv("TAVREL_TEST_CLUSTER");
  if (!dir || !*dir) {
    *why = "TAVREL_TEST_CLUSTER is not set (ctest starts the cluster: scripts/pg_cluster.sh)";
    return {};
  }
  std::string uri = ReadLine(std::string(dir) + "/uri");
  if (uri.empty()) {
    std::string reason = ReadLine(std::string(dir) + "/why");
    *why = reason.empty() ? std::string("no cluster in ") + dir : reason;
  }
  return uri;
}

ScratchDatabase::ScratchDatabase(const std::string& clusterUri, const std::string& encoding)
    : cluster_(clusterUri) {
  static std::atomic<int> made{0};
  name_ = "scratch_" + std::to_string(getpid()) + "_" + std::to_string(++made);
  Admin(cluster_, "DROP DATABASE IF EXISTS " + name_);
  Admin(cluster_,
        "CREATE DATABASE " + name_ + " TEMPLATE template0 ENCODING '" + encoding + "' LC_COLLATE 'C' LC_CTYPE 'C'");
  uri_ = WithDatabase(cluster_, name_);
}

ScratchDatabase::~ScratchDatabase() {
  try {
    Admin(cluster_, "DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
  } catch (const std::exception&) {
  }
}

}  // namespace test_server
