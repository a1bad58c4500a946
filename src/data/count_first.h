#pragma once
// Lists are counted before they are read: the statement's select list becomes "SELECT COUNT(*) " and its
// ORDER clause is dropped, and only a list that has rows is opened. The same turns the short count forms
// "SELECT kno FROM SUBT WHERE trim(kno)='%s' ORDER" into counts.
#include <string>

#include "data/data_env.h"

// The counting statement made of a list statement.
std::string CountStatementOf(const std::string& listSql);
// The number of rows listSql would list. Throws jet::DbError.
long CountFirst(CVyDataEnv& env, const std::string& listSql);
