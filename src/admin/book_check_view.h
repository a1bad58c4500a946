#pragma once
// The window of 数据检查: the findings of the book check, each rule with the rows that break it, and the
// trial balance of the year under them. It reads only.
#include <string>
#include <vector>

#include "admin/book_check.h"
#include "formview/text_rows_view.h"

class CBookCheckView : public CTextRowsView {
 public:
  static constexpr int kFormFlag = 21;  // a form of its own

  CBookCheckView();

  // Checks the open year file and shows what it found.
  void Build();
  const BookCheck& Result() const { return result_; }


  void SetupForm() override;

 protected:
  std::string HeadText(int line, int item) const override;
  const char* ColumnAlign(int col) const override;

 private:
  BookCheck result_;
};
