#include "io/report_workbook.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <map>
#include <vector>

#include "base/gbk.h"
#include "base/money.h"
#include "base/text.h"
#include "formview/report_view.h"
#include "io/xlsx_library.h"

namespace {

// The form's face; a spreadsheet without it takes its own Chinese face in its place.
const char* const kFontName = "宋体";
constexpr double kFontSize = 10.5;
// Spreadsheet column units per half-width character of the form: a Chinese character, two half-widths on
// the form, needs a little over two units in the sheet's font.
constexpr double kUnitsPerHalfWidth = 1.1;

std::string U(const std::string& gbkText) {
  return gbk::ToUtf8(gbkText);
}

// The formats of one workbook, made once each.
class Formats {
 public:
  explicit Formats(lxw_workbook* book) : book_(book) {
    title_ = Make();
    format_set_bold(title_);
    format_set_font_size(title_, 16);
    format_set_align(title_, LXW_ALIGN_CENTER);
    head_ = Make();
    caption_ = Make();
    format_set_bold(caption_);
    format_set_align(caption_, LXW_ALIGN_CENTER);
    format_set_align(caption_, LXW_ALIGN_VERTICAL_CENTER);
    format_set_text_wrap(caption_);
    format_set_border(caption_, LXW_BORDER_THIN);
    text_ = Make();
    format_set_border(text_, LXW_BORDER_THIN);
  }
  lxw_format* Title() const { return title_; }
  lxw_format* Head() const { return head_; }
  lxw_format* Caption() const { return caption_; }
  lxw_format* Text() const { return text_; }
  // "#,##0.00" for an amount; a figure's format keeps the places it is shown with.
  lxw_format* Number(int decimals) {
    lxw_format*& f = numbers_[decimals];
    if (!f) {
      f = Make();
      format_set_border(f, LXW_BORDER_THIN);
      std::string pattern = "#,##0";
      if (decimals > 0) pattern += "." + std::string(static_cast<size_t>(decimals), '0');
      format_set_num_format(f, pattern.c_str());
    }
    return f;
  }

 private:
  lxw_format* Make() {
    lxw_format* f = workbook_add_format(book_);
    format_set_font_name(f, U(kFontName).c_str());
    format_set_font_size(f, kFontSize);
    return f;
  }
  lxw_workbook* book_;
  lxw_format *title_, *head_, *caption_, *text_;
  std::map<int, lxw_format*> numbers_;
};

// Lines a caption needs in a column of the given width (its GBK bytes are its half-widths).
int CaptionLines(const std::string& caption, double units) {
  double need = static_cast<double>(Trim(caption).size()) * kUnitsPerHalfWidth;
  return std::max(1, static_cast<int>(std::ceil(need / std::max(1.0, units))));
}

}  // namespace

std::optional<double> FigureValue(const std::string& text, int* decimals) {
  std::string digits = ReplaceAll(Trim(text), ",", "");
  if (digits.find_first_of("0123456789") == std::string::npos) return std::nullopt;
  return money::TypedNumber(digits, decimals);
}

std::string SheetName(const std::string& title) {
  std::string name;
  int chars = 0;
  std::string trimmed = Trim(ReplaceAll(title, "　", " "));
  for (size_t pos = 0; pos < trimmed.size() && chars < 31;) {
    size_t next = gbk::NextChar(trimmed, pos);
    std::string ch = trimmed.substr(pos, next - pos);
    pos = next;
    if (ch.size() == 1 && std::string_view("[]:*?/\\'\t").find(ch[0]) != std::string_view::npos) continue;
    name += ch;
    ++chars;
  }
  name = Trim(name);
  return name.empty() ? "报表" : name;
}

bool WriteReportWorkbook(CVyReportView& view, const std::string& utf8Path, std::string& error) {
  std::vector<std::string> head = view.ReportHead();
  std::vector<std::string> captions = view.ColumnCaptions();
  std::vector<std::vector<std::string>> rows = view.ReportRows();
  const int columns = view.ColumnCount();
  std::vector<ReportColumnKind> kinds;
  for (int c = 0; c < columns; ++c) kinds.push_back(view.ColumnKind(c));

  if (std::string missing = XlsxwriterMissing(); !missing.empty()) {
    error = missing;
    return false;
  }
  // The file is tried first, so that a folder missing or not writable gets the system's own reason (the
  // library would only say it could not create the file, on standard error too).
  bool existed = access(utf8Path.c_str(), F_OK) == 0;
  if (FILE* probe = std::fopen(utf8Path.c_str(), "ab")) {
    std::fclose(probe);
  } else {
    error = std::strerror(errno);
    return false;
  }
  lxw_workbook* book = workbook_new(utf8Path.c_str());
  if (!book) {
    error = "无法建立工作簿。";
    return false;
  }
  Formats formats(book);
  std::string title = head.empty() ? std::string() : head.front();
  lxw_worksheet* sheet = workbook_add_worksheet(book, U(SheetName(title)).c_str());
  if (!sheet) sheet = workbook_add_worksheet(book, nullptr);

  // Column widths in proportion to the form's.
  const std::vector<int>& widths = view.ColumnWidths();
  std::vector<double> units;
  int formWidth = 0;
  for (int c = 0; c < columns; ++c) {
    int w = c < static_cast<int>(widths.size()) ? widths[static_cast<size_t>(c)] : 10;
    formWidth += w;
    units.push_back(std::max(3.0, w * kUnitsPerHalfWidth));
    worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), units.back(), nullptr);
  }

  lxw_row_t row = 0;
  const lxw_col_t last = static_cast<lxw_col_t>(std::max(0, columns - 1));
  if (!title.empty()) {
    std::string t = U(Trim(title));
    if (last > 0)
      worksheet_merge_range(sheet, row, 0, row, last, t.c_str(), formats.Title());
    else
      worksheet_write_string(sheet, row, 0, t.c_str(), formats.Title());
    worksheet_set_row(sheet, row, 24, nullptr);
    ++row;
  }
  // The head lines' items, which stand apart on the page, apart in one cell here.
  for (size_t i = 1; i < head.size(); ++i, ++row)
    worksheet_write_string(sheet, row, 0, U(ReplaceAll(head[i], "\t", "    ")).c_str(), formats.Head());

  const lxw_row_t captionRow = row;
  int captionLines = 1;
  for (int c = 0; c < columns; ++c) {
    std::string caption = c < static_cast<int>(captions.size()) ? Trim(captions[static_cast<size_t>(c)]) : "";
    worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), U(caption).c_str(), formats.Caption());
    captionLines = std::max(captionLines, CaptionLines(caption, units[static_cast<size_t>(c)]));
  }
  worksheet_set_row(sheet, row, 15 * captionLines, nullptr);
  worksheet_freeze_panes(sheet, captionRow + 1, 0);
  ++row;

  for (const std::vector<std::string>& cells : rows) {
    for (int c = 0; c < columns; ++c) {
      const lxw_col_t col = static_cast<lxw_col_t>(c);
      const std::string text = c < static_cast<int>(cells.size()) ? RTrim(cells[static_cast<size_t>(c)]) : "";
      ReportColumnKind kind = kinds[static_cast<size_t>(c)];
      int decimals = 0;
      std::optional<double> value = kind == ReportColumnKind::kText ? std::nullopt : FigureValue(text, &decimals);
      if (value) {
        lxw_format* f = formats.Number(kind == ReportColumnKind::kAmount ? 2 : decimals);
        worksheet_write_number(sheet, row, col, *value, f);
      } else if (Trim(text).empty()) {
        worksheet_write_blank(sheet, row, col, formats.Text());
      } else {
        // Always a string cell: a text such as "=1+2" or "@x" is shown, never evaluated.
        worksheet_write_string(sheet, row, col, U(text).c_str(), formats.Text());
      }
    }
    ++row;
  }

  // On paper: the table one page wide, the captions on every page.
  worksheet_set_paper(sheet, 9);  // A4
  if (formWidth > 100) worksheet_set_landscape(sheet);
  worksheet_fit_to_pages(sheet, 1, 0);
  worksheet_repeat_rows(sheet, captionRow, captionRow);

  lxw_error status = workbook_close(book);
  if (status != LXW_NO_ERROR) {
    if (!existed) std::remove(utf8Path.c_str());
    error = gbk::FromUtf8(lxw_strerror(status)).value_or("无法写入工作簿");
    return false;
  }
  return true;
}
