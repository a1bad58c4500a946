#include "admin/account_set_dlg.h"

#include <algorithm>

#include "accounts/chart_templates.h"
#include "base/platform.h"
#include "base/text.h"
#include "data/db_error.h"
#include "data/year_files.h"

CAccountSetDlg::CAccountSetDlg(Form form, std::string currentDataDir, std::string currentYear,
                               std::string extension)
    : form_(form),
      currentDataDir_(std::move(currentDataDir)),
      currentYear_(std::move(currentYear)),
      extension_(std::move(extension)) {
  chartItems.push_back("（空科目表）");
  for (const ChartTemplate& c : ChartTemplates()) chartItems.push_back(c.title);
}

std::string CAccountSetDlg::ChosenChart() const {
  if (selectedChart < 1 || selectedChart > static_cast<int>(ChartTemplates().size())) return "";
  return ChartTemplates()[static_cast<size_t>(selectedChart - 1)].name;
}

void CAccountSetDlg::OnInitDialog() {
  folders.clear();
  years.clear();
  selectedFolder = selectedYear = -1;
  SetButtons(true);
  createEnabled = !InFolderList(folderText);
}

void CAccountSetDlg::SetButtons(bool enabled) {
  searchEnabled = createEnabled = cancelEnabled = enabled;
  openEnabled = enabled && form_ == Form::Browse;
}

bool CAccountSetDlg::InFolderList(const std::string& text) const {
  return std::find(folders.begin(), folders.end(), text) != folders.end();
}

void CAccountSetDlg::BeginSearch(std::vector<std::string> roots) {
  SetButtons(false);
  refreshes_ = 0;
  busyPicture = 0;
  search_ = std::make_unique<AccountSetSearch>(std::move(roots), extension_);
}

bool CAccountSetDlg::SearchStep() {
  if (!search_) return false;
  if (!search_->Step()) {
    EndSearch();
    return false;
  }
  folderText = search_->CurrentFolder();
  folders = search_->Found();
  Refresh();
  return true;
}

void CAccountSetDlg::OnTimer() {
  if (search_) Refresh();
}

void CAccountSetDlg::Search(std::vector<std::string> roots) {
  BeginSearch(std::move(roots));
  while (SearchStep()) {
  }
}

// Every fifth redraw of the folder text moves the busy picture on.
void CAccountSetDlg::Refresh() {
  if (++refreshes_ % 5 == 0) busyPicture = (busyPicture + 1) % 3;
}

void CAccountSetDlg::EndSearch() {
  folders = search_->Found();
  search_.reset();
  SetButtons(true);
  folderText = currentDataDir_;
  auto it = std::find(folders.begin(), folders.end(), currentDataDir_);
  if (it != folders.end()) {
    OnFolderSelected(static_cast<int>(it - folders.begin()));
  } else {
    selectedFolder = -1;
    createEnabled = true;
    FillYears(currentDataDir_);
  }
  auto year = std::find(years.begin(), years.end(), currentYear_);
  if (year != years.end()) selectedYear = static_cast<int>(year - years.begin());
}

void CAccountSetDlg::FillYears(const std::string& folder) {
  years = folder.empty() ? std::vector<std::string>() : YearList(folder, extension_);
  selectedYear = static_cast<int>(years.size()) - 1;
}

void CAccountSetDlg::OnFolderSelected(int index) {
  if (index < 0 || index >= static_cast<int>(folders.size())) return;
  selectedFolder = index;
  folderText = folders[static_cast<size_t>(index)];
  createEnabled = false;
  FillYears(folderText);
}

void CAccountSetDlg::OnFolderTextChanged(const std::string& text) {
  folderText = text;
  // While searching the text shows the folder being walked, and the buttons stay disabled.
  if (!search_) createEnabled = !InFolderList(text);
}

bool CAccountSetDlg::OnOpen() {
  result.clear();
  if (form_ != Form::Browse || selectedFolder < 0 || selectedYear < 0 ||
      selectedYear >= static_cast<int>(years.size()))
    return false;
  result = YearFilePath(folders[static_cast<size_t>(selectedFolder)],
                        years[static_cast<size_t>(selectedYear)], extension_);
  return true;
}

bool CAccountSetDlg::OnCreate() {
  std::string folder = folderText;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  // A folder that already holds a year of the program belongs to an account set, listed or not.
  if (InFolderList(folderText) || InFolderList(folder) ||
      (!folder.empty() && IsAccountSetFolder(folder, extension_))) {
    ShowMessage("该路径已被Tavrel用户使用！");
    return false;
  }
  if (!IsAccountSetPlace(folder)) {
    ShowMessage("驱动器不可用或是空路径！");
    return false;
  }
  SetButtons(false);
  if (!MakeFolders(folder, kPrivateFolderMode)) {
    ShowMessage("所给路径非法，不能建立目录", MsgIcon::None);
    SetButtons(true);
    return false;
  }
  std::string path, error;
  try {
    path = CreateAccountSetWithChart(folder, Plat().Now().year, ChosenChart(), error, extension_);
  } catch (const jet::DbError& e) {
    error = e.what();
  }
  if (path.empty()) {
    // The folders made stay; the dialog stays usable for another path or chart.
    ShowMessage(error, MsgIcon::Stop);
    SetButtons(true);
    return false;
  }
  ShowMessage(path + " 帐套建立成功！", MsgIcon::None);
  result = path;
  return true;
}
