#pragma once
// The sample form view with knobs for tests: its own sections and columns, cells that cannot be edited,
// and a record of the engine's calls.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/sample_form_view.h"
#include "support/recording_dc.h"

class GridView : public SampleFormView {
 public:
  // Columns of plain text unless a test says otherwise; 0 rows means the sample form.
  explicit GridView(int rows = 0, std::vector<int> widths = {}, int headLines = 1, int footLines = 1)
      : rows_(rows), widths_(std::move(widths)), headLines_(headLines), footLines_(footLines) {
    if (!widths_.empty()) {
      Columns().clear();
      for (size_t i = 0; i < widths_.size(); ++i) Columns().push_back({"列", "STRING", 0, 0});
    }
  }

  void SetupForm() override {
    SampleFormView::SetupForm();
    if (rows_ > 0) {
      SetSections(rows_, headLines_, 1, headLines_, footLines_);
      SetColumns(widths_);
      if (headLines_ > 0) SetItems("HEAD", 0, {{100, 4}, {500, 4}});
      if (footLines_ > 0) SetItems("FOOT", 0, {{200, 4}});
      SetRows(std::vector<std::vector<std::string>>(static_cast<size_t>(rows_)));
    }
    editable_ = editable;
  }
  bool CanEditCell(int row, int col, const std::string& section) override {
    return !locked.count({row, col}) || section != "TEXT";
  }
  void OnRowCountChanged(int delta) override {
    calls.push_back("rows " + std::to_string(delta));
    SampleFormView::OnRowCountChanged(delta);
  }
  void OnInsertRows(int atRow, int lastOldRow, int count) override {
    calls.push_back("insert " + std::to_string(atRow) + " " + std::to_string(lastOldRow) + " " +
                    std::to_string(count));
    SampleFormView::OnInsertRows(atRow, lastOldRow, count);
  }
  void OnCellChanged(const std::string& text, int row, int col, const std::string& section) override {
    calls.push_back("changed " + section + " " + std::to_string(row) + " " + std::to_string(col) + " " +
                    text);
  }

  // Fills row r with texts.
  void Fill(int r, std::vector<std::string> texts) {
    for (size_t c = 0; c < texts.size(); ++c) PutCell(r, static_cast<int>(c), "TEXT", texts[c]);
  }
  // Clicks a cell (with Shift: extends the selection to it).
  void Click(int row, int col, bool shift = false, const std::string& section = "TEXT") {
    VyRect r = CellRect(row, col, false, section);
    OnLButtonDown(r.left + 2 - HScrollPos(), (r.top + r.bottom) / 2, shift);
    OnLButtonUp(r.left + 2 - HScrollPos(), (r.top + r.bottom) / 2);
  }
  void Select(int anchorRow, int anchorCol, int row, int col) {
    Click(anchorRow, anchorCol);
    Click(row, col, true);
  }

  int editable = 1;
  std::set<std::pair<int, int>> locked;
  std::vector<std::string> calls;

 private:
  int rows_;
  std::vector<int> widths_;
  int headLines_, footLines_;
};

// A view in a window of the given client size, measured and drawn with the recording device context.
struct ViewOnScreen {
  explicit ViewOnScreen(GridView& v, int width = 800, int height = 600) : view(v) {
    view.SetScreenDC(&dc);
    view.InitForm();
    view.OnSize(width, height);
  }
  GridView& view;
  RecordingDC dc;
};
