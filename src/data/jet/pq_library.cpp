// The PostgreSQL client's functions the server engine calls, served from libpq opened at the first
// connection: a program that only ever opens year files never loads libpq and the libraries it needs.
// Each line of the table is one function: its result, name, parameters and the arguments passed on.
#include "data/jet/pq_library.h"

#include <libpq-fe.h>

#include "base/lazy_library.h"
#include "data/db_error.h"

#define TAVREL_PQ_FUNCTIONS(X)                                                                                \
  X(PGconn*, PQconnectdb, (const char* info), (info))                                                         \
  X(ConnStatusType, PQstatus, (const PGconn* c), (c))                                                         \
  X(void, PQfinish, (PGconn * c), (c))                                                                        \
  X(int, PQserverVersion, (const PGconn* c), (c))                                                             \
  X(const char*, PQparameterStatus, (const PGconn* c, const char* name), (c, name))                           \
  X(char*, PQerrorMessage, (const PGconn* c), (c))                                                            \
  X(char*, PQdb, (const PGconn* c), (c))                                                                      \
  X(PGTransactionStatusType, PQtransactionStatus, (const PGconn* c), (c))                                     \
  X(PQnoticeProcessor, PQsetNoticeProcessor, (PGconn * c, PQnoticeProcessor p, void* arg), (c, p, arg))       \
  X(PGresult*, PQexec, (PGconn * c, const char* sql), (c, sql))                                               \
  X(PGresult*, PQprepare, (PGconn * c, const char* name, const char* sql, int n, const Oid* types),           \
    (c, name, sql, n, types))                                                                                 \
  X(PGresult*, PQexecPrepared,                                                                                \
    (PGconn * c, const char* name, int n, const char* const* values, const int* lengths, const int* formats,  \
     int resultFormat),                                                                                       \
    (c, name, n, values, lengths, formats, resultFormat))                                                     \
  X(int, PQsendQuery, (PGconn * c, const char* sql), (c, sql))                                                \
  X(int, PQsendQueryParams,                                                                                   \
    (PGconn * c, const char* sql, int n, const Oid* types, const char* const* values, const int* lengths,     \
     const int* formats, int resultFormat),                                                                   \
    (c, sql, n, types, values, lengths, formats, resultFormat))                                               \
  X(int, PQsendQueryPrepared,                                                                                 \
    (PGconn * c, const char* name, int n, const char* const* values, const int* lengths, const int* formats,  \
     int resultFormat),                                                                                       \
    (c, name, n, values, lengths, formats, resultFormat))                                                     \
  X(PGresult*, PQgetResult, (PGconn * c), (c))                                                                \
  X(int, PQenterPipelineMode, (PGconn * c), (c))                                                              \
  X(int, PQexitPipelineMode, (PGconn * c), (c))                                                               \
  X(int, PQpipelineSync, (PGconn * c), (c))                                                                   \
  X(void, PQclear, (PGresult * r), (r))                                                                       \
  X(ExecStatusType, PQresultStatus, (const PGresult* r), (r))                                                 \
  X(char*, PQresultErrorMessage, (const PGresult* r), (r))                                                    \
  X(char*, PQresultErrorField, (const PGresult* r, int code), (r, code))                                      \
  X(int, PQntuples, (const PGresult* r), (r))                                                                 \
  X(int, PQnfields, (const PGresult* r), (r))                                                                 \
  X(char*, PQfname, (const PGresult* r, int col), (r, col))                                                   \
  X(Oid, PQftype, (const PGresult* r, int col), (r, col))                                                     \
  X(char*, PQgetvalue, (const PGresult* r, int row, int col), (r, row, col))                                  \
  X(int, PQgetlength, (const PGresult* r, int row, int col), (r, row, col))                                   \
  X(int, PQgetisnull, (const PGresult* r, int row, int col), (r, row, col))                                   \
  X(char*, PQcmdTuples, (PGresult * r), (r))                                                                  \
  X(char*, PQcmdStatus, (PGresult * r), (r))

TAVREL_LAZY_LIBRARY("libpq.so.5", TAVREL_PQ_FUNCTIONS)

namespace jet {

void RequireLibpq() {
  if (!ThisLibrary().Load()) throw DbError("无法连接数据库服务器：" + ThisLibrary().Why() + "。");
}

}  // namespace jet
