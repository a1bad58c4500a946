#pragma once
// The one layout of a year file: its tables and indexes, the rows of a new account set, the copies a
// next-year file receives, and the upgrades of older files.
#include <string>

#include "data/database.h"

// Every table and index of a year file, in their fixed order.
void CreateYearTables(jet::Database& db);
// The rows of a new account set's first year: SYSTAB, operators 101 and 102, their rights, and the default
// print settings of forms 0 to 9.
void SeedNewAccountSet(jet::Database& db, int year);
// Files from before the parameter table get it at login.
void EnsureSyscstab(jet::Database& db);
// The financial statements' templates (STMT, one row a statement; STMTL, one row a line), which files from
// before the statements get at login.
void EnsureStatementTables(jet::Database& db);
// Operators, rights, print settings, report forms, SYSCSTAB (when both files have it) VYVAR and the
// statements' templates, copied
// into a next-year file: the rows the target lacks are added.
void CopyCarriedTables(jet::Database& from, jet::Database& to);

// The right codes a new account set's operator 102 holds, in order ("0201" … "0406").
const char* const* SeedRights(int* count);
