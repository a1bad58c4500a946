#pragma once
// 记帐 of the interest list: one posting per lowest-level account of the list with a non-zero interest.
#include <string>
#include <vector>

#include "data/data_env.h"
#include "interest/interest_calc.h"

// Posts the rows as the user left them (codes and interest may have been corrected) on date with summary,
// on the debit side (credit false) or the credit side; the interest keeps its sign. All rows or none: a
// failing statement rolls every posting back and shows the engine's message. A row whose code is not an
// account of the chart is refused before anything is written. With a counter account (a lowest-level
// account) each interest row gets its opposite row there, so the books stay balanced; "" posts on the
// accounts only. True when posted.
bool PostInterest(CVyDataEnv& env, const std::vector<InterestRow>& rows, const std::string& date,
                  const std::string& summary, bool credit, const std::string& counter = "");
