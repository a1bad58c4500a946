#pragma once
// The PostgreSQL cluster the server engine's tests run against (scripts/pg_cluster.sh, started by ctest
// before them), and a fresh database of it for one test, dropped afterwards.
#include <string>

namespace test_server {

// The cluster's URI (its maintenance database); empty when there is none, with the reason in why.
std::string ClusterUri(std::string* why);

// A new database made for account sets (SQL_ASCII, byte order; or another encoding, to be refused),
// removed again by the destructor.
class ScratchDatabase {
 public:
  explicit ScratchDatabase(const std::string& clusterUri, const std::string& encoding = "SQL_ASCII");
  ~ScratchDatabase();
  ScratchDatabase(const ScratchDatabase&) = delete;
  ScratchDatabase& operator=(const ScratchDatabase&) = delete;
  // The URI of the new database: an account set's name.
  const std::string& Uri() const { return uri_; }

 private:
  std::string cluster_, name_, uri_;
};

}  // namespace test_server

// Skips the test with a clear line where no cluster runs.
#define REQUIRE_TEST_SERVER(uriVar)                                                     \
  std::string uriVar;                                                                   \
  do {                                                                                  \
    std::string why_;                                                                   \
    uriVar = test_server::ClusterUri(&why_);                                            \
    if (uriVar.empty()) GTEST_SKIP() << "no PostgreSQL cluster for the test: " << why_; \
  } while (0)
