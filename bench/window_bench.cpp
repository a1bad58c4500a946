// The report windows on a large book, in the real main window under Qt's offscreen platform: how long
// 三栏式帐 of 1002 in detail mode, 余额及发生额表 at all levels and 帐页模糊查询 of 差旅 take from the
// command to the first drawn page, against the same report through tavrel-cli; how long each page of the
// 1002 ledger takes to draw while it is scrolled from the first page to the last; and how many rows each
// window holds against the rows of its report.
//   tavrel_window_bench YEARFILE TAVREL-CLI
// Times are CPU times of this thread (the machine may be shared) with the wall time beside them.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "accounts/account_asker.h"
#include "app/login_rules.h"
#include "app/application.h"
#include "base/dialog_asker.h"
#include "base/gbk.h"
#include "command_wiring.h"
#include "form_view_widget.h"
#include "formview/report_view.h"
#include "ledgers/ledger_commands.h"
#include "ledgers/ledger_period_dlg.h"
#include "ledgers/three_column_ledger.h"
#include "child_frame.h"
#include "main_frame.h"
#include "qt_platform.h"
#include "tavrel_application.h"

namespace {

QString Q(const std::string& gbkText) { return QString::fromStdString(gbk::ToUtf8(gbkText)); }

double ThreadCpu() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

long PeakKiB() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

struct Timing {
  double cpu = 0, wall = 0;
};

// The same report through the tool, as a whole process: its CPU time (user + system) and wall time.
Timing RunTool(const std::vector<std::string>& args) {
  std::fflush(stdout);
  QElapsedTimer wall;
  wall.start();
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    std::vector<std::string> utf8;
    for (const std::string& a : args) utf8.push_back(gbk::ToUtf8(a));
    for (std::string& a : utf8) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (!freopen("/dev/null", "w", stdout)) _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage r{};
  wait4(pid, &status, 0, &r);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "tool failed: %s\n", args[1].c_str());
  return {r.ru_utime.tv_sec + r.ru_utime.tv_usec / 1e6 + r.ru_stime.tv_sec + r.ru_stime.tv_usec / 1e6,
          wall.elapsed() / 1000.0};
}

// Plays the user in front of a modal parameter dialog as soon as it shows; the time the dialog took to
// show is kept apart, as it is the user's time, not the report's.
double dialogShownCpu = 0;
qint64 dialogShownWall = 0;
QElapsedTimer sinceCommand;
void AnswerNextDialog(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      dialogShownCpu = ThreadCpu();
      dialogShownWall = sinceCommand.nsecsElapsed();
      answer(modal);
    }
  });
  timer->start(0);
}

void Click(QWidget* dialog, const char* text) {
  for (auto* b : dialog->findChildren<QPushButton*>())
    if (b->text() == Q(text)) return b->click();
  std::fprintf(stderr, "no button %s\n", gbk::ToUtf8(text).c_str());
}

bool BenchLogin(CHobdFileDlg& d) {
  d.OnInitDialog();
  for (size_t i = 0; i < d.operatorItems.size(); ++i)
    if (d.operatorItems[i].substr(0, 3) == "102") d.selectedOperator = static_cast<int>(i);
  return d.OnOk();
}

FormViewWidget* NewestView(CMainFrame& frame) {
  auto children = frame.Children();
  return children.empty() ? nullptr : qobject_cast<FormViewWidget*>(children.back()->View());
}

// Counts the pages the report windows draw.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && o->parent() && qobject_cast<FormViewWidget*>(o->parent())) ++paints;
    return false;
  }
};

// Runs the command (answering its dialogs), then draws the window's first page: the time from the
// dialog's 确认 (or the command, when it asks nothing) to the drawn page.
int pagesDrawn = 0;
Timing OpenWindow(CMainFrame& frame, int command) {
  double cpu = ThreadCpu();
  QElapsedTimer& wall = sinceCommand;
  wall.start();
  dialogShownCpu = 0;
  dialogShownWall = 0;
  PaintCounter counter;
  qApp->installEventFilter(&counter);
  frame.RunCommand(command);
  // Back in the event loop, as the program is after a command: the new window draws itself there. A window
  // that has not drawn yet is made to.
  QApplication::processEvents();
  FormViewWidget* w = NewestView(frame);
  if (w && !counter.paints) w->viewport()->repaint();
  qApp->removeEventFilter(&counter);
  pagesDrawn = counter.paints;
  if (dialogShownCpu > 0) cpu = dialogShownCpu;
  return {ThreadCpu() - cpu, (wall.nsecsElapsed() - dialogShownWall) / 1e9};
}

long WindowRows(CMainFrame& frame) {
  FormViewWidget* w = NewestView(frame);
  auto* view = w ? dynamic_cast<CVyReportView*>(&w->View()) : nullptr;
  return view ? view->TextRows() : -1;
}

Timing Median(std::vector<Timing> runs) {
  std::sort(runs.begin(), runs.end(), [](const Timing& a, const Timing& b) { return a.cpu < b.cpu; });
  Timing cpu = runs[runs.size() / 2];
  std::sort(runs.begin(), runs.end(), [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
  return {cpu.cpu, runs[runs.size() / 2].wall};
}

// Opens the window and runs the tool alternately, runs times each, and prints the medians.
void Compare(const char* what, int runs, std::function<Timing()> window, const std::vector<std::string>& tool,
             CMainFrame& frame) {
  // ONLY=text runs the windows whose description holds the text.
  if (const char* only = std::getenv("ONLY"); only && !std::strstr(gbk::ToUtf8(what).c_str(), only)) return;
  std::vector<Timing> w, t;
  long rows = 0;
  int drawn = 0;
  for (int i = 0; i < runs; ++i) {
    w.push_back(window());
    rows = WindowRows(frame);
    drawn = pagesDrawn;
    frame.MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    t.push_back(RunTool(tool));
  }
  Timing mw = Median(w), mt = Median(t);
  std::printf("%s: %ld rows, %d pages drawn\n  window %.3f s cpu (%.3f s wall)  tool %.3f s cpu (%.3f s wall)  ratio %.2f cpu, %.2f wall\n",
              gbk::ToUtf8(what).c_str(), rows, drawn, mw.cpu, mw.wall, mt.cpu, mt.wall, mw.cpu / mt.cpu, mw.wall / mt.wall);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tavrel_window_bench YEARFILE TAVREL-CLI\n");
    return 2;
  }
  const std::string file = argv[1], cli = argv[2];
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("TAVREL_PASSWORD", "", 0);
  int qtArgc = 1;
  TavrelApplication qtApp(qtArgc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QtPlatform platform;
  SetPlatform(&platform);
  long startKiB = PeakKiB();
  {
    CQirnApp app;
    CMainFrame frame(app);
    WireCommands(app, frame);
    ScopedFace<CHobdFileDlg> login(BenchLogin);
    if (!app.InitInstance({file}, frame)) {
      std::fprintf(stderr, "cannot open %s\n", file.c_str());
      return 1;
    }
    frame.resize(1280, 800);
    frame.show();
    QApplication::processEvents();
    std::printf("year file %s: %lld bytes; main window open at %ld KiB\n", file.c_str(),
                static_cast<long long>(QFileInfo(QString::fromStdString(file)).size()), PeakKiB());

    const int runs = std::getenv("RUNS") ? std::atoi(std::getenv("RUNS")) : 5;
    // 三栏式帐 of 1002: the account and the whole year answered as the user would; a parent account opens
    // on its months' summary, and 明细 (detail mode) follows.
    SetAccountAsker([](int, const std::string&) { return std::optional<std::string>("1002"); });
    ScopedFace<CLedgerPeriodDlg> period([](CLedgerPeriodDlg& d) { return d.Confirm(); });
    Compare("三栏式帐 1002, opened and switched to detail mode", runs, [&] {
      Timing t = OpenWindow(frame, 32779);
      double cpu = ThreadCpu();
      QElapsedTimer wall;
      wall.start();
      if (FormViewWidget* ledger = NewestView(frame)) {
        PaintCounter counter;
        qApp->installEventFilter(&counter);
        ledger->RunCommand(ledgercmd::kDetailMode);
        QApplication::processEvents();
        if (!counter.paints) ledger->viewport()->repaint();
        qApp->removeEventFilter(&counter);
        pagesDrawn += counter.paints;
      }
      return Timing{t.cpu + ThreadCpu() - cpu, t.wall + wall.elapsed() / 1000.0};
    }, {cli, "report", "ledger", file, "--code", "1002", "--mode", "detail"}, frame);

    // Each page of it, from the first to the last.
    OpenWindow(frame, 32779);
    if (FormViewWidget* ledger = NewestView(frame)) {
      ledger->RunCommand(ledgercmd::kDetailMode);
      ledger->setFocus();
      QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::ControlModifier);
      QApplication::sendEvent(ledger, &home);
      std::vector<double> pages;
      int last = -1;
      for (int guard = 0; guard < 1000000; ++guard) {
        double cpu = ThreadCpu();
        QKeyEvent down(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(ledger, &down);
        ledger->viewport()->repaint();
        pages.push_back(ThreadCpu() - cpu);
        int top = ledger->verticalScrollBar()->value();
        if (top == last) break;
        last = top;
      }
      std::sort(pages.begin(), pages.end());
      std::printf("  scrolled from the first page to the last: %zu pages, median %.2f ms, slowest %.2f ms a page "
                  "(a frame: 16.7 ms)\n",
                  pages.size(), pages[pages.size() / 2] * 1000, pages.back() * 1000);
    }
    frame.MdiArea()->closeAllSubWindows();

    Compare("余额及发生额表, April to December, all levels", runs, [&] {
      AnswerNextDialog([](QWidget* d) {
        // The fields are the two dates' year, month and day, then the code.
        auto edits = d->findChildren<QLineEdit*>();
        edits[1]->setText("04");
        edits[2]->setText("01");
        edits[4]->setText("12");
        edits[5]->setText("31");
        for (auto* r : d->findChildren<QRadioButton*>())
          if (r->text() == Q("所有下级")) r->setChecked(true);
        Click(d, "&S.确认");
      });
      return OpenWindow(frame, 40021);
    }, {cli, "report", "turnover", file, "--from", "20260401", "--to", "20261231", "--all-levels"}, frame);

    Compare("帐页模糊查询 of 6602, summaries holding 差旅", runs, [&] {
      AnswerNextDialog([](QWidget* d) {
        auto edits = d->findChildren<QLineEdit*>();
        edits[0]->setText(Q("差旅"));
        edits[1]->setText("6602");
        Click(d, "确认");
      });
      return OpenWindow(frame, 40022);
    }, {cli, "report", "search", file, "--code", "6602", "--summary", "差旅"}, frame);
    std::printf("peak memory %ld KiB (%ld KiB before the main window)\n", PeakKiB(), startKiB);
    app.ExitInstance();
  }
  SetPlatform(nullptr);
  return 0;
}
