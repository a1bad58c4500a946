#pragma once
// The paper a form's page goes on: its own size in a PDF file, the nearest paper of a queue, or a paper the
// user chose, and how much a page larger than its paper is shrunk. The print dialog names it; the printing
// lays the page on it.
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <optional>

#include "data/page_settings.h"

// The paper a view's page goes on with this printer: a PDF page the form's own size, a queue the nearest
// of its papers (nothing when it lists none, and it keeps its own).
std::optional<QPageLayout> FormPaper(const PageSettings& ps, QPrinter& printer);
// A given paper for a view's page, lying as suits the page best.
QPageLayout FittedPaper(const QPageSize& paper, const PageSettings& ps);
// The factor a page is drawn at on its paper: below 1 when the page is larger than the paper.
double PageScale(const QPageLayout& paper, const PageSettings& ps);
// A paper's name and its sides as they lie (a size of the form's own is named so).
QString PaperName(const QPageSize& paper, QSizeF mm);
// The paper as the dialogs name it, and the shrinking when the page is larger:
// "A4  297×210 毫米（横放）" or "… 帐页 320×200 毫米，缩小到 92% 打印".
QString PaperText(const QPageLayout& paper, const PageSettings& ps);
