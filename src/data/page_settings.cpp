#include "data/page_settings.h"

#include "base/text.h"
#include "data/db_error.h"
#include "data/recordset.h"
#include "data/sql_text.h"

using jet::SqlText;

namespace {

const char* const kPageColumns =
    "AllPage,SelectPage,MaxPage,FromPage,ToPage,"
    "PageRow,PageWidth,PageLength,PageLeft,PageTop,"
    "PageRight,PageBottom,PageCopies,TopicColor,HeadColor,"
    "TextColor,TailColor,OutBox,FormLine";
const char* const kFontColumns =
    "lfHeight,lfWidth,lfEscapement,lfOrientation,"
    "lfWeight,lfItalic,lfUnderline,lfStrikeOut,"
    "lfCharSet,lfOutPrecision,lfClipPrecision,"
    "lfQuality,lfPitchAndFamily,";

std::function<void(int, const std::string&, PageSettings&)>& Hook() {
  static std::function<void(int, const std::string&, PageSettings&)> hook;
  return hook;
}

std::vector<std::string> Split(const std::string& list) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < list.size()) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    if (comma > start) out.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return out;
}

// "CREATE TABLE name(" + the list with every "," as " LONG," and sFieldMode as a 20-byte text + tail.
std::string CreateFromList(const std::string& table, const std::string& list, const std::string& tail) {
  std::string cols = ReplaceAll(list, ",", " LONG,");
  cols = ReplaceAll(cols, "sFieldMode LONG", "sFieldMode CHAR(20)");
  return "CREATE TABLE " + table + "(" + cols + tail;
}

void SetFonts(PageSettings& ps, int title, int head, int body, int foot) {
  for (auto& f : ps.fonts) f = VyLogFont{};
  ps.fonts[0].height = title;
  ps.fonts[0].weight = 700;
  ps.fonts[0].underline = 1;
  ps.fonts[1].height = head;
  ps.fonts[2].height = body;
  ps.fonts[3].height = foot;
}

// The paper of the wide and the long forms: its size, its bottom margin and the row height on it.
void SetPaper(PageSettings& ps, int width, int length, int bottom, int row) {
  ps.PageWidth = width;
  ps.PageLength = length;
  ps.PageBottom = bottom;
  ps.PageRow = row;
}

}  // namespace

void SetPageDefaultsHook(std::function<void(int, const std::string&, PageSettings&)> hook) {
  Hook() = std::move(hook);
}

void SetPageDefaults(PageSettings& ps, int nFlag, const std::string& sFieldMode) {
  ps = PageSettings{};
  ps.sFieldMode = sFieldMode;
  SetFonts(ps, -29, -14, -16, -14);
  switch (nFlag) {
    case 0:
    case 1:
    case 2:
      SetPaper(ps, 2450, 1150, 150, 25);
      ps.PageLeft = 250;
      ps.PageTop = 30;
      ps.PageRight = 150;
      ps.widths = {14, 30, 16, 16};
      break;
    case 3:
      SetPaper(ps, 2600, 1650, 150, 22);
      ps.fonts[2].height = -14;
      ps.widths = {3, 3, 4, 40, 12, 12, 2, 12};
      break;
    case 4:
      SetPaper(ps, 3600, 2600, 150, 22);
      SetFonts(ps, -29, -12, -10, -12);
      break;
    case 5:
      SetPaper(ps, 2600, 1650, 150, 22);
      SetFonts(ps, -29, -12, -10, -12);
      ps.widths = {3, 3, 4, 36, 12, 12, 12, 12, 12, 12, 2, 12, 12, 12};
      break;
    case 6:
      ps.widths = {16, 40, 4, 16};
      break;
    case 7:
      ps.widths = {14, 30, 2, 14, 14, 14, 2, 14};
      break;
    case 8:
      ps.widths = {14, 42, 4, 4, 8, 10};
      break;
    case 9:
      ps.widths = {3, 3, 4, 30, 35, 2, 12};
      break;
    case 11:
      ps.widths = {2, 2, 20, 8, 8, 8, 8, 8, 8, 8, 8, 2, 8, 8, 8, 8, 8, 8, 8};
      break;
    case 12:
      ps.widths = {20};
      ps.widths.insert(ps.widths.end(), 20, 8);
      break;
    case 13:
      ps.widths = {4, 4, 50, 20};
      break;
    case 22:  // the financial statements: two halves side by side on a wide page, or one half's columns
      // A4 across for the two halves, whose rows (a balance sheet's thirty odd) must fit on one page; A4
      // upright for one half under the other.
      if (sFieldMode == "1") {
        SetPaper(ps, 2970, 2100, 150, 21);
        ps.widths = {30, 4, 14, 14, 30, 4, 14, 14};
      } else {
        SetPaper(ps, 2100, 2970, 150, 25);
        ps.widths = {40, 5, 18, 18};
      }
      break;
    default:
      break;
  }
  if (Hook()) Hook()(nFlag, sFieldMode, ps);
}

void PreparePageStorage(jet::Database& db) {
  std::string pageList = std::string("nFlag,sFieldMode,") + kPageColumns;
  std::string fontList = std::string("nFlag,sFieldMode,nOrd,") + kFontColumns + "lfFaceName";
  if (!db.HasTable("VYPAGESET")) db.Execute(CreateFromList("VYPAGESET", pageList, " LONG)"));
  if (!db.HasTable("FIELDWIDTH"))
    db.Execute("CREATE TABLE FIELDWIDTH(NFLAG LONG,SFIELDMODE CHAR(20),NFIELD LONG,NWIDTH LONG)");
  if (!db.HasTable("VYFONT")) db.Execute(CreateFromList("VYFONT", fontList, " CHAR(60))"));
  if (!db.HasColumn("VYPAGESET", "sFieldMode")) {
    std::string path = db.GetName();
    db.Begin();
    try {
      db.AddTextColumn("VYPAGESET", "sFieldMode", 20);
      if (!db.HasColumn("VYFONT", "sFieldMode")) db.AddTextColumn("VYFONT", "sFieldMode", 20);
      db.Execute("Update VYPAGESET Set sFieldMode='0'");
      db.Execute("Update VYFONT Set sFieldMode='0'");
      db.Commit();
    } catch (...) {
      db.Rollback();
      throw;
    }
    db.Close();
    db.Open(path);
  }
}

void LoadPageSettings(jet::Database& db, PageSettings& ps, int nFlag, const std::string& sFieldMode) {
  PreparePageStorage(db);
  std::string mode = SqlText(sFieldMode);
  SetPageDefaults(ps, nFlag, sFieldMode);
  std::vector<std::string> pageNames = Split(kPageColumns);
  CVyRecordset page(&db, pageNames, {}, {});
  page.Open(Format("SELECT %s FROM VYPAGESET WHERE nFlag=%d And Trim(sFieldMode)='%s'", kPageColumns, nFlag,
                   mode.c_str()));
  if (page.IsEOF()) return;  // nothing stored: the defaults stand
  int* ints[] = {&ps.AllPage,   &ps.SelectPage, &ps.MaxPage,    &ps.FromPage, &ps.ToPage,
                 &ps.PageRow,   &ps.PageWidth,  &ps.PageLength, &ps.PageLeft, &ps.PageTop,
                 &ps.PageRight, &ps.PageBottom, &ps.PageCopies};
  for (int i = 0; i < 13; ++i) *ints[i] = page.GetLong(i);
  for (int* p : {&ps.MaxPage, &ps.FromPage, &ps.ToPage, &ps.PageRow, &ps.PageCopies}) *p &= 0xFFFF;
  uint32_t* colours[] = {&ps.TopicColor, &ps.HeadColor, &ps.TextColor,
                         &ps.TailColor,  &ps.OutBox,    &ps.FormLine};
  for (int i = 0; i < 6; ++i) *colours[i] = static_cast<uint32_t>(page.GetLong(13 + i)) & 0xFFFFFF;
  page.Close();

  std::vector<std::string> fontNames = Split(kFontColumns);
  for (int ord = 0; ord < 4; ++ord) {
    CVyRecordset font(&db, fontNames, {}, {"Expr1013"});
    font.Open(
        Format("SELECT %srtrim(lfFaceName) FROM VYFONT WHERE nFlag=%d AND Trim(sFieldMode)='%s' AND nOrd=%d",
               kFontColumns, nFlag, mode.c_str(), ord));
    if (font.IsEOF()) continue;  // a missing font keeps its default
    VyLogFont& f = ps.fonts[ord];
    int* members[] = {&f.height,        &f.width,     &f.escapement,    &f.orientation, &f.weight,
                      &f.italic,        &f.underline, &f.strikeOut,     &f.charSet,     &f.outPrecision,
                      &f.clipPrecision, &f.quality,   &f.pitchAndFamily};
    for (int i = 0; i < 13; ++i) *members[i] = font.GetLong(i);
    for (int i = 5; i < 13; ++i) *members[i] &= 0xFF;  // one-byte members
    f.faceName = font.GetText(0);
  }

  CVyRecordset widths(&db, {"NWIDTH"}, {}, {});
  widths.Open(Format("SELECT NWIDTH FROM FIELDWIDTH WHERE NFLAG=%d AND SFIELDMODE = '%s' ORDER BY NFIELD",
                     nFlag, mode.c_str()));
  std::vector<int> stored;
  for (; !widths.IsEOF(); widths.MoveNext()) stored.push_back(widths.GetLong(0));
  if (!stored.empty()) ps.widths = stored;
}

void SavePageSettings(jet::Database& db, const PageSettings& ps, int nFlag, const std::string& sFieldMode) {
  PreparePageStorage(db);
  std::string mode = SqlText(sFieldMode);
  db.Begin();
  try {
    db.Execute(Format("DELETE FROM VYPAGESET WHERE nFlag=%d AND SFIELDMODE = '%s'", nFlag, mode.c_str()));
    db.Execute(Format("DELETE FROM VYFONT WHERE nFlag=%d AND SFIELDMODE = '%s'", nFlag, mode.c_str()));
    db.Execute(Format("DELETE FROM FIELDWIDTH WHERE nFlag=%d AND SFIELDMODE = '%s'", nFlag, mode.c_str()));
    db.Execute(Format(
        "INSERT INTO VYPAGESET(nFlag,sFieldMode,%s) VALUES"
        "(%d,'%s',%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d)",
        kPageColumns, nFlag, mode.c_str(), ps.AllPage, ps.SelectPage, ps.MaxPage & 0xFFFF,
        ps.FromPage & 0xFFFF, ps.ToPage & 0xFFFF, ps.PageRow & 0xFFFF, ps.PageWidth, ps.PageLength,
        ps.PageLeft, ps.PageTop, ps.PageRight, ps.PageBottom, ps.PageCopies & 0xFFFF,
        static_cast<int>(ps.TopicColor), static_cast<int>(ps.HeadColor), static_cast<int>(ps.TextColor),
        static_cast<int>(ps.TailColor), static_cast<int>(ps.OutBox), static_cast<int>(ps.FormLine)));
    for (int ord = 0; ord < 4; ++ord) {
      const VyLogFont& f = ps.fonts[ord];
      db.Execute(Format(
          "INSERT INTO VYFONT(nFlag,sFieldMode,nOrd,%slfFaceName) VALUES"
          "(%d,'%s',%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,'%s')",
          kFontColumns, nFlag, mode.c_str(), ord, f.height, f.width, f.escapement, f.orientation, f.weight,
          f.italic & 0xFF, f.underline & 0xFF, f.strikeOut & 0xFF, f.charSet & 0xFF, f.outPrecision & 0xFF,
          f.clipPrecision & 0xFF, f.quality & 0xFF, f.pitchAndFamily & 0xFF, SqlText(f.faceName).c_str()));
    }
    for (size_t i = 0; i < ps.widths.size(); ++i)
      db.Execute(Format("INSERT INTO FIELDWIDTH(NFLAG,SFIELDMODE,NFIELD,NWIDTH) VALUES(%d,'%s',%d,%d)", nFlag,
                        mode.c_str(), static_cast<int>(i), ps.widths[i]));
    db.Commit();
  } catch (...) {
    db.Rollback();
    throw;
  }
}

std::string ColourName(uint32_t rgb) {
  struct Named {
    uint32_t rgb;
    const char* name;
  };
  static const Named names[] = {
      {VyRgb(0, 0, 0), "黑色"},       {VyRgb(128, 0, 0), "深红色"},   {VyRgb(0, 128, 0), "绿色"},
      {VyRgb(128, 128, 0), "橄榄色"}, {VyRgb(0, 0, 128), "藏青色"},   {VyRgb(128, 0, 128), "紫色"},
      {VyRgb(0, 128, 128), "深青色"}, {VyRgb(128, 128, 128), "灰色"}, {VyRgb(192, 192, 192), "银色"},
      {VyRgb(255, 0, 0), "红色"},     {VyRgb(0, 255, 0), "浅绿色"},   {VyRgb(255, 255, 0), "黄色"},
      {VyRgb(0, 0, 255), "蓝色"},     {VyRgb(255, 0, 255), "紫红色"}, {VyRgb(0, 255, 255), "浅青色"},
      {VyRgb(255, 255, 255), "白色"},
  };
  for (auto& n : names)
    if (n.rgb == (rgb & 0xFFFFFF)) return n.name;
  return "自定义色";
}
