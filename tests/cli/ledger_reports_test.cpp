// tavrel-cli report ledger prints exactly the rows the ledger window builds, and refuses as its dialog does.
#include <gtest/gtest.h>

#include <string>

#include "base/gbk.h"
#include "data/data_env.h"
#include "data/year_files.h"
#include "io/report_export.h"
#include "ledgers/three_column_ledger.h"
#include "support/cli_run.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace {

TEST(CliLedger, PrintsTheRowsTheWindowShows) {
  TempDir dir;
  std::string file = CreateAccountSetFile(dir.Path(), 2026);
  auto sql = [&](const std::string& s) {
    ASSERT_EQ(RunAdmin("sql '" + file + "' \"" + s + "\"").status, 0) << s;
  };
  sql("insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values('1002','银行存款',1,'0','0','0',0,0)");
  sql("insert into subt(kno,na,clas,op,fz,dl,dlf,dlw) values('1002-1','工行',2,'0','0','0',0,0)");
  sql("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) values('20260101','    "
      "',0,'期初余额','1002-1',1,900,0,'4','01')");
  sql("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) "
      "values('20260203','2',1,'收款','1002-1',1,1234.5,0,'4','02')");
  sql("insert into p0(t,cer,rn,mry,kno,f,my,nu,mk,tt) "
      "values('20260304','0',1,'付款','1002-1',-1,34.5,0,'4','03')");

  ScriptedPlatform platform;
  CVyDataEnv env;
  ASSERT_TRUE(env.Open(file, "", 1));
  for (int mode : {0, 1, 2}) {
    CQirnzb1 view;
    view.SetDataEnv(&env);
    view.InitForm();
    view.Open("1002");
    view.outputMode = mode;
    view.Build();
    const char* names[] = {"auto", "detail", "summary"};
    CliResult r = RunCli("report ledger '" + file + "' --code 1002 --mode " + names[mode]);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, gbk::ToUtf8(ReportAsText(view, false))) << names[mode];
    EXPECT_GT(view.Lines().size(), 2u);
  }
  CliResult csv = RunCli("report ledger '" + file + "' --code 1002 --format csv");
  EXPECT_NE(csv.out.find("借方发生额"), std::string::npos);

  struct Refusal {
    std::string args, message;
  };
  for (const Refusal& r :
       std::vector<Refusal>{{"--code 1009", "选项 --code 的值“1009”不对：科目表中没有这个帐户。\n"},
                            {"--code 1002 --from 0", "起始月不合理，输入一数!\n"},
                            {"--code 1002 --from 5 --to 4", "终止月不合理，输入一数!\n"},
                            {"--code 1002 --unreached", "没有满足条件的记录\n"},
                            {"--code 1002 --mode wide", "选项 --mode 的值“wide”不对：应为 auto、detail、summary 之一。\n"}}) {
    CliResult out = RunCli("report ledger '" + file + "' " + r.args);
    EXPECT_EQ(out.status, 1) << r.args;
    EXPECT_EQ(out.out, r.message) << r.args;
  }
  CliResult multi = RunCli("report multi '" + file + "' --code 1002");
  EXPECT_EQ(multi.status, 1);
  EXPECT_EQ(multi.out, "没有相应的辅助核算目录。\n");
}

}  // namespace
