#include "formview/print_dlg.h"

#include <algorithm>

#include "base/platform.h"
#include "base/refusal.h"
#include "base/text.h"

namespace {

// A whole number of at most nine digits (blanks round it allowed).
bool WholeNumber(const std::string& text, int& value) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::stoi(t);
  return true;
}

}  // namespace

CVyPrintDlg::CVyPrintDlg(bool setupMode, const std::vector<std::string>& installed,
                         const std::string& current, const std::string& defaultPrinter, bool pdfAvailable)
    : setupMode_(setupMode), pdfAvailable_(pdfAvailable) {
  for (const std::string& p : installed)
    if (!p.empty() && std::find(printers.begin(), printers.end(), p) == printers.end()) printers.push_back(p);
  installedCount_ = static_cast<int>(printers.size());
  if (pdfAvailable_) printers.push_back(kPdfEntry);
  for (const std::string& want : {current, defaultPrinter}) {
    auto it = std::find(printers.begin(), printers.end(), want);
    if (!want.empty() && it != printers.end()) {
      selected = static_cast<int>(it - printers.begin());
      break;
    }
  }
}

std::string CVyPrintDlg::Caption() const {
  return setupMode_ ? "Tavrel财务软件－打印机设置" : "Tavrel财务软件－打印";
}

bool CVyPrintDlg::Open() {
  if (!printers.empty()) return true;
  Plat().MessageBox("黄牌警告：\r\t尚未安装打印机，不能打印!", kMsgCaption, MsgIcon::Warning, MsgButtons::Ok,
                    MsgAnswer::Ok);
  return false;
}

bool CVyPrintDlg::IsPdf() const {
  return pdfAvailable_ && selected == installedCount_;
}

std::string CVyPrintDlg::SelectedPrinter() const {
  if (selected < 0 || selected >= static_cast<int>(printers.size())) return {};
  return printers[static_cast<size_t>(selected)];
}

void CVyPrintDlg::SetPages(const PageSettings& ps, int pageCount) {
  pageCount_ = std::max(1, pageCount);
  allPages = ps.SelectPage == 0;
  fromText = Format("%d", std::clamp(ps.FromPage, 1, pageCount_));
  toText = Format("%d", std::clamp(ps.ToPage, 1, pageCount_));
  copiesText = Format("%d", std::max(1, ps.PageCopies));
}

namespace {
const char* const kRefusalCaption = "Tavrel软件-打印";
}  // namespace

bool CVyPrintDlg::Confirm() {
  if (setupMode_) return true;
  if (allPages) {
    fromPage = 1;
    toPage = pageCount_;
  } else {
    // Page 0 does not exist: a range starts at 1.
    if (!WholeNumber(fromText, fromPage) || fromPage < 1 || fromPage > pageCount_)
      return Refuse(focus, kFrom, "指定开始打印页无效，或大于当前打印的最多页，\r\r输入另一个数。",
                    MsgIcon::Stop, kRefusalCaption);
    if (!WholeNumber(toText, toPage) || toPage < 1 || toPage > pageCount_)
      return Refuse(focus, kTo, "指定终止打印页无效，或大于当前打印的最多页，\r\r输入另一个数。",
                    MsgIcon::Stop, kRefusalCaption);
    if (toPage < fromPage)
      return Refuse(focus, kFrom, "指定开始打印页大于终止打印页，\r\r输入另一个数。", MsgIcon::Stop,
                    kRefusalCaption);
  }
  // Copies are kept in 16 bits.
  if (!WholeNumber(copiesText, copies) || copies < 1 || copies > 0xFFFF)
    return Refuse(focus, kCopies, "无效的打印份数，\r\r输入另一个数。", MsgIcon::Stop, kRefusalCaption);
  return true;
}

void CVyPrintDlg::StoreInto(PageSettings& ps) const {
  ps.AllPage = allPages ? 1 : 0;
  ps.SelectPage = allPages ? 0 : 1;
  ps.FromPage = fromPage;
  ps.ToPage = toPage;
  ps.PageCopies = copies;
}
