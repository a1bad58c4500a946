// The form view in a window: typing through keys and the input method, and printing to PDF.
#include "form_view_widget.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QGraphicsView>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "base/text.h"
#include "form_printing.h"
#include "gbk_qt.h"
#include "mask_edit.h"
#include "print_dialog.h"
#include "qt_app.h"
#include "qt_dc.h"
#include "support/pdf_facts.h"
#include "support/sample_form_view.h"
#include "support/scripted_platform.h"

namespace {

void Key(QWidget* w, int key, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
}

void Commit(QWidget* w, const char* gbk) {
  QInputMethodEvent e;
  e.setCommitString(Q(gbk));
  QApplication::sendEvent(w, &e);
}

void Click(FormViewWidget* w, int row, int col) {
  VyRect r = w->View().CellRect(row, col, false, "TEXT");
  QPointF p(r.left + 3 - w->View().HScrollPos(), (r.top + r.bottom) / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, p, w->viewport()->mapToGlobal(p), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, p, w->viewport()->mapToGlobal(p), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w->viewport(), &press);
  QApplication::sendEvent(w->viewport(), &release);
}

TEST(FormViewWidget, TypesIntoTheSampleFormInAWindow) {
  App();
  ScriptedPlatform platform;
  QMdiArea area;
  area.resize(900, 640);
  auto* widget = new FormViewWidget(std::make_unique<SampleFormView>());
  QMdiSubWindow* sub = area.addSubWindow(widget);
  sub->setWindowTitle(Q("样本表单"));
  area.show();
  sub->showMaximized();
  QApplication::processEvents();
  widget->setFocus();
  auto& view = static_cast<SampleFormView&>(widget->View());

  Click(widget, 0, 0);
  Commit(widget, "购买办公用品");
  Key(widget, Qt::Key_Tab);
  for (QChar c : QString("1234.5")) Key(widget, 0, QString(c));
  Key(widget, Qt::Key_Return);  // on to the next cell, not the next row
  Key(widget, Qt::Key_Return);
  Key(widget, Qt::Key_Return);
  Commit(widget, "现金｜支付");  // the full-width bar is no "|": admitted
  Click(widget, 1, 0);
  Commit(widget, "差旅费");
  Key(widget, Qt::Key_Tab);
  Key(widget, Qt::Key_Tab);
  Key(widget, Qt::Key_Tab);
  Key(widget, 0, "8");
  Commit(widget, "。");  // a full-width stop is a point in a number cell
  Key(widget, 0, "2");
  Key(widget, 0, "5");
  Key(widget, 0, "x");  // refused by the mask
  Key(widget, Qt::Key_Backspace);
  Key(widget, Qt::Key_Tab);
  Commit(widget, "出差|北京");  // typed character by character: the "|" of a "MDBSTRING" cell is refused
  QApplication::processEvents();

  EXPECT_EQ(view.Text(0, 0), "购买办公用品");
  EXPECT_EQ(view.Text(0, 1), "1234.5");
  EXPECT_EQ(view.Text(0, 4), "现金｜支付");
  EXPECT_EQ(view.Text(1, 0), "差旅费");
  EXPECT_EQ(view.Text(1, 3), "8.2");
  EXPECT_EQ(view.Text(1, 4), "出差北京");
  EXPECT_TRUE(view.IsModified());

  // Copy and paste through the window's commands.
  Click(widget, 0, 1);
  Key(widget, Qt::Key_End, QString(), Qt::ShiftModifier);
  EXPECT_TRUE(widget->IsCommandEnabled(vycmd::kCopy));
  widget->Copy();
  EXPECT_EQ(platform.clipboard, "1234.5");
  Click(widget, 2, 1);
  widget->Paste();
  EXPECT_EQ(view.Text(2, 1), "1234.5");
  widget->Undo();
  EXPECT_EQ(view.Text(2, 1), "");
  Click(widget, 2, 3);
  QApplication::processEvents();

  std::string shot = ShotPath("formview-typing.png");
  ASSERT_TRUE(area.grab().save(QString::fromStdString(shot)));
  std::printf("picture: %s\n", shot.c_str());

  // A block selected with the mouse is shown inverted, its current cell framed.
  Click(widget, 0, 0);
  VyRect r = view.CellRect(1, 3, false, "TEXT");
  QPointF p(r.left + 3, (r.top + r.bottom) / 2.0);
  QMouseEvent shiftClick(QEvent::MouseButtonPress, p, widget->viewport()->mapToGlobal(p), Qt::LeftButton,
                         Qt::LeftButton, Qt::ShiftModifier);
  QApplication::sendEvent(widget->viewport(), &shiftClick);
  QMouseEvent release(QEvent::MouseButtonRelease, p, widget->viewport()->mapToGlobal(p), Qt::LeftButton,
                      Qt::NoButton, Qt::ShiftModifier);
  QApplication::sendEvent(widget->viewport(), &release);
  EXPECT_EQ(view.Anchor(), (VyCellPos{0, 0, "TEXT", 0}));
  EXPECT_EQ(view.Current(), (VyCellPos{1, 3, "TEXT", 0}));
  std::string selection = ShotPath("formview-selection.png");
  ASSERT_TRUE(area.grab().save(QString::fromStdString(selection)));
  std::printf("picture: %s\n", selection.c_str());
}

// The sample form in a window of its own; printing's messages go to the scripted platform.
class SampleFormWindow : public ::testing::Test {
 protected:
  QApplication& app = App();
  ScriptedPlatform platform;
  std::unique_ptr<SampleFormView> sample = std::make_unique<SampleFormView>();
  SampleFormView* view = sample.get();
  FormViewWidget widget{std::move(sample)};
};

TEST_F(SampleFormWindow, PrintsTheSampleFormToPdfOnTwoPages) {
  widget.resize(900, 600);
  std::vector<std::vector<std::string>> rows;
  const char* texts[] = {"期初余额", "购买办公用品", "差旅费", "收到货款", "支付工资",
                         "银行利息", "房租",         "水电费", "结转",     "期末余额"};
  for (int i = 0; i < 10; ++i)
    rows.push_back({texts[i], i % 2 ? Format("%d.50", 100 * (i + 1)) : "", Format("%d", i + 1),
                    i % 2 ? "" : Format("%d.00", 250 * (i + 1)), i == 9 ? "第二页" : ""});
  view->SetRows(rows);
  ASSERT_EQ(view->PageCount(true), 2);

  std::string direct = ShotPath("formview-direct.pdf");
  ASSERT_TRUE(widget.Printing().PrintToPdf(QString::fromStdString(direct)));
  EXPECT_EQ(PdfPages(direct), 2);

  // Through the print dialog: the PDF entry is always there and asks for the file.
  std::string viaDialog = ShotPath("formview-print.pdf");
  std::remove(viaDialog.c_str());
  widget.Printing().askPdfFile = [&] { return QString::fromStdString(viaDialog); };
  widget.Printing().runDialog = [](PrintDialog& d) {
    QComboBox* list = d.printerList();
    list->setCurrentIndex(list->findText(Q("打印到 PDF 文件")));
    d.rangeButton()->setChecked(true);
    d.fromField()->setText("2");
    d.toField()->setText("2");
    d.accept();
    return d.result() == QDialog::Accepted;
  };
  ASSERT_TRUE(widget.Printing().Print());
  EXPECT_EQ(PdfPages(viaDialog), 1);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(widget.Printing().PrintsToPdf());

  // A spacing of 999 mm leaves no room: nothing is printed.
  view->Page().PageRow = 9990;
  EXPECT_FALSE(widget.Printing().PrintToPdf(QString::fromStdString(ShotPath("formview-none.pdf"))));
  EXPECT_EQ(platform.LastText(), "行距太大，或纸张太小！");
}

// Measures as the printer does and keeps the rules a page draws, in printer dots.
class RuleRecorder : public QtDC {
 public:
  explicit RuleRecorder(QPaintDevice* printer) : QtDC(nullptr, printer, true) {}
  void Line(int x1, int y1, int x2, int y2, uint32_t) override {
    rules.push_back({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
  }
  void FrameRect(const VyRect& r, uint32_t rgb) override {
    Line(r.left, r.top, r.right - 1, r.top, rgb);
    Line(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, rgb);
    Line(r.left, r.top, r.left, r.bottom - 1, rgb);
    Line(r.right - 1, r.top, r.right - 1, r.bottom - 1, rgb);
  }
  std::vector<QLine> rules;
};

// Whether the picture shows a rule along the segment (in its pixels): some line of pixels within one of it
// is drawn (not white) along nine tenths of its length.
bool ShowsRule(const QImage& image, QLineF segment) {
  const bool across = std::abs(segment.dy()) < std::abs(segment.dx());
  const double from = across ? std::min(segment.x1(), segment.x2()) : std::min(segment.y1(), segment.y2());
  const double to = across ? std::max(segment.x1(), segment.x2()) : std::max(segment.y1(), segment.y2());
  const double at = across ? segment.y1() : segment.x1();
  for (int line = static_cast<int>(std::floor(at)) - 1; line <= static_cast<int>(std::ceil(at)) + 1; ++line) {
    int drawn = 0, all = 0;
    for (int k = static_cast<int>(std::ceil(from)) + 1; k <= static_cast<int>(std::floor(to)) - 1;
         ++k, ++all) {
      QPoint p = across ? QPoint(k, line) : QPoint(line, k);
      if (image.rect().contains(p) && qGray(image.pixel(p)) < 250) ++drawn;
    }
    if (all > 0 && drawn * 10 >= all * 9) return true;
  }
  return false;
}

// Shows the preview's first page at each zoom and checks that every rule the printed page has shows there,
// inside the paper (a page larger than its paper is drawn smaller, never cut).
void ExpectEveryRuleInThePreview(QPrintPreviewDialog& d, SampleFormView& view,
                                 std::initializer_list<double> zooms, const char* shot) {
  QPrinter* printer = d.printer();
  RuleRecorder printed(printer);
  view.SetPrintResolution(printer->resolution());
  view.SetPrintDC(&printed);
  view.OnBeginPrinting();
  view.DrawPrintPage(printed, 1);
  view.OnEndPrinting();
  view.SetPrintDC(nullptr);
  ASSERT_GT(printed.rules.size(), 4u);
  const QRect paper = printer->pageLayout().fullRectPixels(printer->resolution());
  const double fit = PageScale(printer->pageLayout(), view.Page());

  auto* preview = d.findChild<QPrintPreviewWidget*>();
  auto* pages = preview->findChild<QGraphicsView*>();
  ASSERT_NE(pages, nullptr);
  d.resize(1700, 1300);
  d.show();
  for (double zoom : zooms) {
    SCOPED_TRACE(zoom);
    preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    preview->setZoomFactor(zoom);
    QApplication::processEvents();
    pages->verticalScrollBar()->setValue(pages->verticalScrollBar()->minimum());
    QApplication::processEvents();
    QImage shown = pages->viewport()->grab().toImage();
    if (zoom == *zooms.begin()) shown.save(QString::fromStdString(ShotPath(shot)));
    // The first page is the topmost white area; its width gives the scale from printer dots.
    QRect page;
    for (int y = 0; y < shown.height() && page.isNull(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixel(x, y) == qRgb(255, 255, 255)) {
          int right = x;
          while (right + 1 < shown.width() && shown.pixel(right + 1, y) == qRgb(255, 255, 255)) ++right;
          page = QRect(x, y, right - x + 1, 1);
          break;
        }
    ASSERT_FALSE(page.isNull());
    const double scale = static_cast<double>(page.width()) / paper.width();
    page.setHeight(qRound(paper.height() * scale));
    for (const QLine& rule : printed.rules) {
      QLineF at((rule.x1() * fit + 0.5) * scale + page.left(), (rule.y1() * fit + 0.5) * scale + page.top(),
                (rule.x2() * fit + 0.5) * scale + page.left(), (rule.y2() * fit + 0.5) * scale + page.top());
      const std::string where = Format("%d,%d - %d,%d", rule.x1(), rule.y1(), rule.x2(), rule.y2());
      EXPECT_TRUE(page.adjusted(-1, -1, 1, 1).contains(at.p2().toPoint())) << where << " falls off the paper";
      EXPECT_TRUE(ShowsRule(shown, at)) << where;
    }
  }
}

// The preview draws what the printer gets: every rule and frame of the printed page shows at every zoom,
// where rules one printer dot wide once fell between the screen's pixels.
TEST_F(SampleFormWindow, ThePreviewShowsEveryRuleOfThePrintedPageAtEveryZoom) {
  view->SetRows({{"期初余额", "", "1", "250.00", ""}, {"差旅费", "200.50", "2", "", ""}});
  bool previewed = false;
  widget.Printing().runPreview = [&](QPrintPreviewDialog& d) {
    ExpectEveryRuleInThePreview(d, *view, {1.15, 0.5, 0.75, 1.0, 1.5}, "preview_115.png");
    previewed = true;
  };
  widget.Printing().Preview();
  EXPECT_TRUE(previewed);
}

// On a print queue (the tests' own print service; skipped without one): confirming the printer's
// properties as they open keeps the form's paper, and a smaller paper chosen there takes the page shrunk
// whole, and says so. The preview shows the paper and the page the queue gets.
TEST_F(SampleFormWindow, OnAQueueThePropertiesKeepTheFormsPaperAndASmallerOneShrinksThePage) {
  const QString queue = QPrinterInfo::defaultPrinterName();
  if (queue.isEmpty())
    GTEST_SKIP() << "no print queue here (ctest runs this with a print service of its own)";
  view->SetRows({{"期初余额", "", "1", "250.00", ""}, {"差旅费", "200.50", "2", "", ""}});
  // A form of A4 turned: the queue's nearest paper is exactly that, where its default is A4 upright.
  view->Page().PageWidth = 2970;
  view->Page().PageLength = 2100;
  auto paper = [](QPageSize::PageSizeId id, QPageLayout::Orientation lying) {
    return QPageLayout(QPageSize(id), lying, QMarginsF());
  };
  struct Case {
    const char* name;
    std::optional<QPageLayout> chosen;  // what is picked in the properties; none: confirmed as shown
    QPageLayout printed;                // the paper the queue gets
    bool shrunk;
  } cases[] = {
      {"as shown", std::nullopt, paper(QPageSize::A4, QPageLayout::Landscape), false},
      {"A4 upright", paper(QPageSize::A4, QPageLayout::Portrait), paper(QPageSize::A4, QPageLayout::Portrait),
       true},
      {"A3 upright", paper(QPageSize::A3, QPageLayout::Portrait), paper(QPageSize::A3, QPageLayout::Portrait),
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QString paperShown;
    widget.Printing().runDialog = [&](PrintDialog& d) {
      d.printerList()->setCurrentIndex(d.printerList()->findText(queue));
      EXPECT_TRUE(d.propertiesButton()->isEnabled());
      d.runPageSetup = [&](QPageSetupDialog& setup) {
        // The properties open on the form's paper, not on the queue's default.
        EXPECT_EQ(setup.printer()->pageLayout().pageSize().id(), QPageSize::A4);
        EXPECT_EQ(setup.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        if (c.chosen) setup.printer()->setPageLayout(*c.chosen);
        return true;
      };
      d.propertiesButton()->click();
      paperShown = d.paperLabel()->text();
      if (c.shrunk) d.grab().save(QString::fromStdString(ShotPath("print_dialog_shrunk.png")));
      d.copiesField()->setText("1");
      d.accept();
      return d.result() == QDialog::Accepted;
    };
    ASSERT_TRUE(widget.Printing().Print());  // the queue prints into /dev/null
    EXPECT_EQ(paperShown.contains(Q("缩小")), c.shrunk) << paperShown.toStdString();
    bool previewed = false;
    widget.Printing().runPreview = [&](QPrintPreviewDialog& d) {
      EXPECT_EQ(d.printer()->pageLayout().pageSize().id(), c.printed.pageSize().id());
      EXPECT_EQ(d.printer()->pageLayout().orientation(), c.printed.orientation());
      // Small enough for a whole A3 page to show.
      ExpectEveryRuleInThePreview(d, *view, {0.6}, "preview_queue.png");
      previewed = true;
    };
    widget.Printing().Preview();
    EXPECT_TRUE(previewed);
  }
}

}  // namespace

TEST(FormViewWidget, TheMenuKeyAndShiftF10OpenTheWindowsMenuAtTheCaret) {
  App();
  ScriptedPlatform platform;
  FormViewWidget widget(std::make_unique<SampleFormView>());
  widget.resize(700, 400);
  widget.show();
  QApplication::processEvents();
  widget.setFocus();
  for (QKeyCombination key :
       {QKeyCombination(Qt::Key_Menu), QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)}) {
    QStringList shown;
    QPoint where;
    QTimer::singleShot(0, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* a : menu->actions()) shown << a->text();
        where = widget.viewport()->mapFromGlobal(menu->pos());
        menu->close();
      }
    });
    QTest::keyClick(&widget, key.key(), key.keyboardModifiers());
    ASSERT_FALSE(shown.isEmpty()) << key.toCombined();
    EXPECT_EQ(shown.size(), static_cast<qsizetype>(widget.View().ContextMenu().size()));
    EXPECT_TRUE(widget.viewport()->rect().contains(where)) << where.x() << "," << where.y();
  }
}
