#include "admin/account_set_dlg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/file_facts.h"
#include "data/data_env.h"
#include "support/year_file_fixture.h"

namespace fs = std::filesystem;

namespace {

class AccountSetDlgTest : public YearFileTest {
 protected:
  // A valid year file of the given year in folder (made when missing).
  std::string MakeSet(const std::string& folder, int year) {
    MakeFolders(folder);
    return CreateAccountSetFile(folder, year);
  }
  // A file named for one year whose SYSTAB says another: not a year of an account set.
  void MakeMismatched(const std::string& folder, const std::string& name, int py) {
    std::string made = MakeSet(dir.File("scratch"), py);
    MakeFolders(folder);
    fs::rename(made, folder + "/" + name);
  }
  std::string Root() const { return dir.Path(); }
};

using Form = CAccountSetDlg::Form;

TEST_F(AccountSetDlgTest, TheSearchWalksDepthFirstAndFindsEachAccountSetOnce) {
  std::string a = Root() + "/a", sub = a + "/sub", b = Root() + "/b", hidden = Root() + "/c/.hidden";
  MakeSet(a, 2001);
  MakeSet(a, 2002);
  MakeSet(sub, 2002);
  MakeMismatched(b, "2001.vyx", 2002);                  // the probe fails: b is no account set
  MakeSet(hidden, 2003);                                // hidden folders are not entered
  fs::create_directory_symlink(a, Root() + "/link");    // reaches a a second time
  fs::create_directory_symlink(Root(), sub + "/loop");  // a loop of links ends

  AccountSetSearch search({Root(), a, Root() + "/missing"});
  std::vector<std::string> visited;
  while (search.Step()) visited.push_back(search.CurrentFolder());
  EXPECT_EQ(search.Found(), (std::vector<std::string>{a, sub}));
  EXPECT_EQ(visited, (std::vector<std::string>{Root(), a, sub, b, Root() + "/c", Root() + "/scratch"}));
  EXPECT_TRUE(search.Done());
  EXPECT_FALSE(search.Step());
}

TEST_F(AccountSetDlgTest, TheDefaultRootsAreHomeTheMountedVolumesAndTheDataFolderEachOnce) {
  auto roots = AccountSetSearch::DefaultRoots(Root(), Root());
  ASSERT_FALSE(roots.empty());
  EXPECT_EQ(roots.front(), Root());
  EXPECT_EQ(std::count(roots.begin(), roots.end(), Root()), 1);
  for (auto& r : roots) EXPECT_TRUE(r == Root() || r == "/media" || r == "/mnt") << r;
  EXPECT_EQ(AccountSetSearch::DefaultRoots("", Root() + "/none").size(), roots.size() - 1);
}

TEST_F(AccountSetDlgTest, SearchingDisablesTheButtonsShowsEachFolderAndEndsOnTheCurrentFile) {
  std::string a = Root() + "/a", b = Root() + "/b";
  MakeSet(a, 2001);
  MakeSet(b, 2001);
  MakeSet(b, 2002);
  for (int i = 0; i < 12; ++i) MakeFolders(Root() + "/e" + std::to_string(i));

  CAccountSetDlg dlg(Form::Browse, b, "2001");
  dlg.OnInitDialog();
  EXPECT_TRUE(dlg.openEnabled);
  EXPECT_TRUE(dlg.folders.empty());
  EXPECT_TRUE(dlg.years.empty());

  dlg.BeginSearch({Root()});
  EXPECT_TRUE(dlg.Searching());
  EXPECT_FALSE(dlg.searchEnabled || dlg.createEnabled || dlg.openEnabled || dlg.cancelEnabled);
  std::vector<int> pictures;
  std::vector<std::string> shown;
  while (dlg.SearchStep()) {
    shown.push_back(dlg.folderText);
    pictures.push_back(dlg.busyPicture);
    dlg.OnFolderTextChanged("typed while searching");  // the buttons stay disabled
    EXPECT_FALSE(dlg.createEnabled);
    dlg.OnTimer();
    pictures.push_back(dlg.busyPicture);
  }
  EXPECT_EQ(shown.front(), Root());
  EXPECT_EQ(shown[1], a);
  // Every fifth redraw (a folder or a timer tick) moves the picture on: 0, 1, 2, 0 …
  ASSERT_GE(pictures.size(), 15u);
  EXPECT_EQ(pictures[3], 0);
  EXPECT_EQ(pictures[4], 1);
  EXPECT_EQ(pictures[9], 2);
  EXPECT_EQ(pictures[14], 0);

  EXPECT_FALSE(dlg.Searching());
  EXPECT_TRUE(dlg.searchEnabled && dlg.openEnabled && dlg.cancelEnabled);
  EXPECT_EQ(dlg.folders, (std::vector<std::string>{a, b}));
  EXPECT_EQ(dlg.folderText, b);
  EXPECT_EQ(dlg.selectedFolder, 1);
  EXPECT_FALSE(dlg.createEnabled);
  EXPECT_EQ(dlg.years, (std::vector<std::string>{"2001", "2002"}));
  EXPECT_EQ(dlg.selectedYear, 0);  // the current year, not the last
}

TEST_F(AccountSetDlgTest, ChoosingAFolderListsItsYearsAndOpenGivesTheYearFile) {
  std::string a = Root() + "/a";
  MakeSet(a, 2001);
  MakeSet(a, 2003);
  MakeMismatched(a, "2002.vyx", 2005);
  CAccountSetDlg dlg(Form::Browse, "", "");
  dlg.OnInitDialog();
  dlg.Search({Root()});
  EXPECT_EQ(dlg.folderText, "");
  EXPECT_EQ(dlg.selectedFolder, -1);
  EXPECT_TRUE(dlg.createEnabled);

  EXPECT_FALSE(dlg.OnOpen());  // no folder chosen
  EXPECT_EQ(dlg.result, "");
  dlg.OnFolderSelected(0);
  EXPECT_EQ(dlg.folderText, a);
  EXPECT_FALSE(dlg.createEnabled);
  EXPECT_EQ(dlg.years, (std::vector<std::string>{"2001", "2003"}));
  EXPECT_EQ(dlg.selectedYear, 1);  // the last
  dlg.OnFolderTextChanged(a + "x");
  EXPECT_TRUE(dlg.createEnabled);
  dlg.OnFolderTextChanged(a);
  EXPECT_FALSE(dlg.createEnabled);

  dlg.OnYearSelected(-1);
  EXPECT_FALSE(dlg.OnOpen());
  EXPECT_EQ(dlg.result, "");
  dlg.OnYearSelected(0);
  EXPECT_TRUE(dlg.OnOpen());
  EXPECT_EQ(dlg.result, a + "/2001.vyx");

  CAccountSetDlg create(Form::Create, "", "");
  create.OnInitDialog();
  EXPECT_FALSE(create.openEnabled);
  create.Search({Root()});
  EXPECT_FALSE(create.openEnabled);
  create.OnFolderSelected(0);
  EXPECT_FALSE(create.OnOpen());
}

TEST_F(AccountSetDlgTest, CreateRefusesUsedEmptyAndRelativePathsAndPathsItCannotMake) {
  std::string a = Root() + "/a";
  MakeSet(a, 2001);
  MakeSet(Root() + "/unlisted", 2001);
  WriteText(Root() + "/afile", "x");
  CAccountSetDlg dlg(Form::Create, "", "");
  dlg.OnInitDialog();
  dlg.Search({a});
  ASSERT_EQ(dlg.folders, std::vector<std::string>{a});

  struct Case {
    std::string text, message;
    MsgIcon icon;
  } cases[] = {
      {a, "该路径已被Tavrel用户使用！", MsgIcon::Exclamation},
      {a + "/", "该路径已被Tavrel用户使用！", MsgIcon::Exclamation},
      {Root() + "/unlisted", "该路径已被Tavrel用户使用！", MsgIcon::Exclamation},
      {"", "驱动器不可用或是空路径！", MsgIcon::Exclamation},
      {"relative/set", "驱动器不可用或是空路径！", MsgIcon::Exclamation},
      {Root() + "/afile/set", "所给路径非法，不能建立目录", MsgIcon::None},
  };
  for (auto& c : cases) {
    platform.messages.clear();
    dlg.OnFolderTextChanged(c.text);
    EXPECT_FALSE(dlg.OnCreate()) << c.text;
    ASSERT_EQ(platform.Texts(), std::vector<std::string>{c.message}) << c.text;
    EXPECT_EQ(platform.messages[0].icon, c.icon);
    EXPECT_EQ(platform.messages[0].caption, "Tavrel软件");
    EXPECT_TRUE(dlg.cancelEnabled && dlg.searchEnabled);
    EXPECT_EQ(dlg.result, "");
  }
}

TEST_F(AccountSetDlgTest, CreateMakesEveryFolderAndTheFirstYearOfTheCurrentYear) {
  std::string folder = Root() + "/新单位/帐套/一";
  CAccountSetDlg dlg(Form::Browse, "", "");
  dlg.OnInitDialog();
  dlg.OnFolderTextChanged(folder);
  // Whatever the umask, the new set is its owner's alone: every folder made for it, and its year file.
  mode_t umask = ::umask(0);
  bool created = dlg.OnCreate();
  ::umask(umask);
  ASSERT_TRUE(created);
  std::string path = folder + "/2026.vyx";  // the scripted clock says 2026
  for (const std::string& made : {Root() + "/新单位", Root() + "/新单位/帐套", folder})
    EXPECT_EQ(fs::status(NativePath(made)).permissions(), fs::perms::owner_all) << made;
  EXPECT_EQ(fs::status(NativePath(path)).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(dlg.result, path);
  ASSERT_EQ(platform.Texts(), std::vector<std::string>{path + " 帐套建立成功！"});
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::None);
  EXPECT_EQ(YearList(folder), std::vector<std::string>{"2026"});

  CVyDataEnv env;
  ASSERT_TRUE(env.Open(path, "", 1));
  EXPECT_EQ(env.opno, "102");
  EXPECT_EQ(env.startDate, "20260101");
  // The standard chart unless the user chose otherwise.
  EXPECT_EQ(dlg.chartItems, (std::vector<std::string>{"（空科目表）", "企业会计准则一级科目", "小企业会计准则一级科目",
                                                     "项目核算简明科目"}));
  EXPECT_EQ(env.QueryLong("select count(*) from subt where trim(kno)='1002' and trim(na)='银行存款'"), 1);
  EXPECT_EQ(env.QueryLong("select count(*) from subt where clas=1"), env.QueryLong("select count(*) from subt"));
  EXPECT_GE(env.QueryLong("select count(*) from subt"), 150);
}

TEST_F(AccountSetDlgTest, TheEmptyChartOrTheProjectOne) {
  const std::pair<int, long> cases[] = {{0, 0}, {2, 66}, {3, 25}};
  for (auto [choice, accounts] : cases) {
    std::string folder = Root() + "/set" + std::to_string(choice);
    CAccountSetDlg dlg(Form::Create, "", "");
    dlg.OnInitDialog();
    dlg.OnFolderTextChanged(folder);
    dlg.selectedChart = choice;
    ASSERT_TRUE(dlg.OnCreate()) << choice;
    CVyDataEnv env;
    ASSERT_TRUE(env.Open(dlg.result, "", 1));
    EXPECT_EQ(env.QueryLong("select count(*) from subt"), accounts) << choice;
  }
}

TEST_F(AccountSetDlgTest, AFailedCreationReportsTheEngineAndLeavesTheDialogUsable) {
  std::string folder = Root() + "/broken";
  MakeFolders(folder);
  WriteText(folder + "/2026.vyx", "not a year file");  // fails the year test, so the folder is no set
  CAccountSetDlg dlg(Form::Create, "", "");
  dlg.OnInitDialog();
  dlg.OnFolderTextChanged(folder);
  EXPECT_FALSE(dlg.OnCreate());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].icon, MsgIcon::Stop);
  EXPECT_TRUE(dlg.createEnabled && dlg.cancelEnabled);
  EXPECT_EQ(dlg.result, "");
}

}  // namespace
