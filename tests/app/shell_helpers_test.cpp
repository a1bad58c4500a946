#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/command_line.h"
#include "app/data_folder_list.h"
#include "app/help_page.h"
#include "base/gbk.h"
#include "support/temp_dir.h"

using Kind = CommandLine::Kind;

TEST(CommandLineTest, OneFileOrNothing) {
  EXPECT_EQ(ParseCommandLine({}).kind, Kind::Plain);
  // Arguments come as UTF-8; the path comes back as GBK.
  CommandLine one = ParseCommandLine({gbk::ToUtf8("/data/帐套/2026.vyx")});
  EXPECT_EQ(one.kind, Kind::OpenFile);
  EXPECT_EQ(one.file, "/data/帐套/2026.vyx");
  CommandLine relative = ParseCommandLine({"a/../2026.vyx"});
  EXPECT_EQ(relative.kind, Kind::OpenFile);
  EXPECT_EQ(relative.file, std::filesystem::current_path().string() + "/2026.vyx");
  // A name on a server is no path of this machine, whether or not it names a year well.
  for (const char* server : {"postgresql:///books#2026", "postgres://db/books"}) {
    CommandLine named = ParseCommandLine({server});
    EXPECT_EQ(named.kind, Kind::OpenFile);
    EXPECT_EQ(named.file, server);
  }
  for (auto args : std::vector<std::vector<std::string>>{
           {"-p", "2026.vyx"}, {"--print"}, {"a.vyx", "b.vyx"}, {""}, {"/tmp/\xF0\x9F\x98\x80.vyx"}})
    EXPECT_EQ(ParseCommandLine(args).kind, Kind::Other) << args[0];
}

TEST(DataFolderListTest, FoldersThenDataFilesWhateverTheirCase) {
  TempDir dir;
  for (const char* f : {"zz", "aa", ".hidden"}) std::filesystem::create_directory(dir.File(f));
  for (const char* f : {"2026.vyx", "2025.VYX", "note.txt", ".2024.vyx", "2027.vyxx"})
    std::ofstream(dir.File(f)) << "";
  std::vector<std::string> got;
  for (const FolderEntry& e : DataFolderEntries(dir.Path(), "VYX"))
    got.push_back((e.isFolder ? "D " : "F ") + e.name);
  EXPECT_EQ(got, (std::vector<std::string>{"D aa", "D zz", "F 2025.VYX", "F 2026.vyx"}));
  EXPECT_TRUE(DataFolderEntries(dir.File("missing"), "VYX").empty());

  EXPECT_EQ(ParentFolder("/home/user/帐套"), "/home/user");
  EXPECT_EQ(ParentFolder("/home/"), "/");
  EXPECT_EQ(ParentFolder("/"), "/");
  EXPECT_EQ(JoinPath("/", "home"), "/home");
  EXPECT_EQ(JoinPath("/home", "2026.vyx"), "/home/2026.vyx");
  // An account set on a server has no folder above it, and its years are named after "#".
  for (const std::string set : {"postgresql:///books?host=/run/postgresql", "postgres://db/b#12"}) {
    EXPECT_EQ(ParentFolder(set), set);
    EXPECT_EQ(JoinPath(set, "2026"), set + "#2026");
  }
}

TEST(HelpPageTest, ListsEveryMenuCommandWithItsConditionAndKeys) {
  std::string html = HelpPageHtml([](int id) { return id != 40029; });
  for (const char* text : {"<h3>帐务管理(G)</h3>", "操作环境注册", "没有打开的窗口时可用",
                           "需要权限“帐簿余额表”", "需要权限“帐务管理”，且没有打开的窗口",
                           "Ctrl+C，Ctrl+Insert", "打印(P)...", "<td>查询帐户科目</td>", "F2"})
    EXPECT_NE(html.find(text), std::string::npos) << gbk::ToUtf8(text);
  EXPECT_EQ(html.find("(&"), std::string::npos);
  // The keys say what they do: Delete in a cell removes a character, whole rows only when they are selected.
  for (const char* text : {"<td>Esc</td><td>单元格恢复为光标进入时的内容", "<td>Ctrl+A</td>",
                           "删除光标前、光标处的一个字符", "选定整行时删除这些行"})
    EXPECT_NE(html.find(text), std::string::npos) << gbk::ToUtf8(text);
  EXPECT_EQ(html.find("删除当前行"), std::string::npos);
  // How the books are kept safe, in Chinese: the copies, restoring one, passwords.
  for (const char* text : {"<h3>帐务数据的保护、备份与恢复</h3>", "tavrel-cli backup --list", "cp --preserve=mode",
                           "tavrel-cli clear-password"})
    EXPECT_NE(html.find(text), std::string::npos) << gbk::ToUtf8(text);
}
