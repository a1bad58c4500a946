#include "formview/page_setup_dlg.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/money.h"
#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"
#include "base/validators.h"
#include "data/database.h"
#include "data/db_error.h"

namespace {

int* FieldValue(PageSettings& ps, int f) {
  int* values[] = {&ps.PageWidth,  &ps.PageLength, &ps.PageRow,  &ps.PageTop,
                   &ps.PageBottom, &ps.PageLeft,   &ps.PageRight};
  return values[f];
}

// Tenths of a millimetre from millimetres; the small addition keeps 2.3 from becoming 22.
int Tenths(double mm) {
  return static_cast<int>(mm * 10 + (mm >= 0 ? money::kDecimalSlack : -money::kDecimalSlack));
}

}  // namespace

CVyPageSetupDlg::CVyPageSetupDlg(const PageSettings& ps, int nFlag, const std::string& sFieldMode)
    : settings(ps), nFlag_(nFlag), sFieldMode_(sFieldMode) {
  FieldsFromSettings();
}

void CVyPageSetupDlg::FieldsFromSettings() {
  for (int f = 0; f < kFieldCount; ++f) field[f] = Format("%.1lf", *FieldValue(settings, f) * 0.1);
}

std::vector<std::string> CVyPageSetupDlg::FontHeaders() {
  return {"区域", "字体", "字样", "字号", "删除线", "下划线", "颜色"};
}

std::vector<int> CVyPageSetupDlg::FontColumnWidths() const {
  size_t longest = 0;
  for (const VyLogFont& f : settings.fonts) longest = std::max(longest, f.faceName.size());
  int chars = std::clamp(static_cast<int>(longest), 4, 32);
  return {60, 12 * chars, 100, 60, 60, 60, 60};
}

uint32_t CVyPageSetupDlg::FontColour(int ord) const {
  switch (ord) {
    case 0:
      return settings.TopicColor;
    case 1:
      return settings.HeadColor;
    case 2:
      return settings.TextColor;
    default:
      return settings.TailColor;
  }
}

std::vector<std::vector<std::string>> CVyPageSetupDlg::FontRows() const {
  static const char* const areas[] = {"标题", "页头", "正文", "页脚"};
  std::vector<std::vector<std::string>> rows;
  for (int ord = 0; ord < 4; ++ord) {
    const VyLogFont& f = settings.fonts[ord];
    const char* style = f.italic ? (f.weight == 400 ? "斜体字样" : "粗斜体字样")
                                 : (f.weight == 400 ? "常规字样" : "粗体字样");
    rows.push_back({areas[ord], f.faceName, style, Format("%d", std::abs(f.height)), f.strikeOut ? "√" : "×",
                    f.underline ? "√" : "×", ColourName(FontColour(ord))});
  }
  return rows;
}

void CVyPageSetupDlg::SetFont(int ord, const VyLogFont& font, uint32_t colour) {
  if (ord < 0 || ord > 3) return;
  settings.fonts[ord] = font;
  uint32_t* colours[] = {&settings.TopicColor, &settings.HeadColor, &settings.TextColor, &settings.TailColor};
  *colours[ord] = colour & 0xFFFFFF;
}

bool CVyPageSetupDlg::Number(Field f, double& value) const {
  std::string t = Trim(field[f]);
  if (!IsNumberText(t, 0, 0) || t.find_first_of("0123456789") == std::string::npos) return false;
  value = ParseNumber(t);
  return true;
}

bool CVyPageSetupDlg::Step(Field f, int direction) {
  double v = 0;
  if (!Number(f, v)) v = *FieldValue(settings, f) * 0.1;
  double next = std::round((v + (direction > 0 ? 0.1 : -0.1)) * 10) / 10;
  if (direction > 0 && next > 9999) return false;
  if (direction < 0) {
    if (next < 0) return false;
    auto other = [this](Field g) {
      double x = 0;
      return Number(g, x) ? x : *FieldValue(settings, g) * 0.1;
    };
    if (f == kWidth && next - other(kLeft) - other(kRight) < 0) return false;
    if (f == kLength && next - other(kTop) - other(kBottom) - other(kRow) < 0) return false;
  }
  field[f] = Format("%.1lf", next);
  return true;
}

void CVyPageSetupDlg::TakeDefaults() {
  std::vector<int> widths = settings.widths;
  SetPageDefaults(settings, nFlag_, "0");
  settings.sFieldMode = sFieldMode_;
  // Default widths count only where they fit the view's columns.
  if (settings.widths.size() != widths.size()) settings.widths = widths;
  FieldsFromSettings();
}

bool CVyPageSetupDlg::CopyFrom(const std::string& gbkPath) {
  try {
    jet::Database db;
    db.Open(gbkPath);
    PageSettings loaded;
    LoadPageSettings(db, loaded, nFlag_, sFieldMode_);
    if (loaded.widths.size() != settings.widths.size()) loaded.widths = settings.widths;
    settings = loaded;
  } catch (const jet::DbError& e) {
    ShowMessage(e.what(), MsgIcon::Stop);
    return false;
  }
  FieldsFromSettings();
  return true;
}

std::vector<std::string> CVyPageSetupDlg::CopyExtensions(const std::string& current) {
  std::vector<std::string> all = {".vyk", ".vyx", ".vyy", ".vyc"};
  std::string cur = current;
  for (char& c : cur) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (!cur.starts_with(".")) cur = "." + cur;
  auto it = std::find(all.begin(), all.end(), cur);
  if (it != all.end()) std::rotate(all.begin(), it, it + 1);
  return all;
}

bool CVyPageSetupDlg::Refuse(Field f, const char* message) {
  return ::Refuse(focus, f, message, MsgIcon::Stop, "Tavrel软件-页面设置");
}

bool CVyPageSetupDlg::Confirm() {
  double width = 0, length = 0, row = 0, top = 0, bottom = 0, left = 0, right = 0;
  if (!Number(kWidth, width) || width < 10 || width > 999)
    return Refuse(kWidth, "无效的页面宽度，\r\r输入另一个数。");
  if (!Number(kLength, length) || length < 10 || length > 999)
    return Refuse(kLength, "无效的页面长度，\r\r输入另一个数。");
  // A negative spacing would wrap round in the stored unsigned value.
  if (!Number(kRow, row) || row < money::kTypedZero || row > 999)
    return Refuse(kRow, "打印行间距无效，\r\r输入另一个数。");
  if (!Number(kTop, top) || top < 0 || top >= length)
    return Refuse(kTop, "无效的页头长度，\r\r输入另一个数。");
  if (!Number(kBottom, bottom) || bottom < 0 || length - (top + bottom) < 10)
    return Refuse(kBottom,
                  "所给页面除去页头和页脚长度已没有打印区域，\r\r请重新调整页长、页头和页脚之间的长度。");
  if (!Number(kLeft, left) || left < 0 || left > width)
    return Refuse(kLeft, "无效的页左边距，\r\r输入另一个数。");
  if (!Number(kRight, right) || right < 0 || right > width)
    return Refuse(kRight, "无效的页右边距，\r\r输入另一个数。");
  // The same least printable size across as down.
  if (width - (left + right) < 10)
    return Refuse(
        kLeft, "所给页面除去左右边距外，已没有打印区域，\r\r请重新调整页宽、页左边距和页右边距之间的长度。");
  double values[] = {width, length, row, top, bottom, left, right};
  for (int f = 0; f < kFieldCount; ++f) *FieldValue(settings, f) = Tenths(values[f]);
  return true;
}
