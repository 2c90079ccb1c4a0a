#include "ui/progress/ChartOutput.h"

#include "ui/progress/ScoreChartPage.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace vorlane::ui {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vorlane::ui::ChartOutput", text);
}

} // namespace

ChartOutputHooks ChartOutputHooks::platform(UiContext &context)
{
    ChartOutputHooks hooks;
    hooks.printerNames = [] { return QPrinterInfo::availablePrinterNames(); };
    hooks.choosePrinter = [&context](QPrinter &printer, QWidget *parent) {
        QPrintDialog dialog(&printer, parent);
        return context.modal.run(dialog) == QDialog::Accepted;
    };
    hooks.saveFileName = [&context](QWidget *parent, const QStringList &filters, QString *chosenFilter) {
        QFileDialog dialog(parent, tr("存为..."));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        // The suffix is added before the dialog asks about overwriting an existing file.
        dialog.setDefaultSuffix(QStringLiteral("bmp"));
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filters](const QString &filter) {
                dialog.setDefaultSuffix(
                    filter == filters.value(1) ? QStringLiteral("png") : QStringLiteral("bmp"));
            });
        if (context.modal.run(dialog) != QDialog::Accepted)
            return QString();
        *chosenFilter = dialog.selectedNameFilter();
        return dialog.selectedFiles().value(0);
    };
    return hooks;
}

QStringList chartPictureFilters()
{
    return { tr("Bitmaps图片 (*.bmp)"), tr("PNG图片 (*.png)") };
}

void printChart(ScoreChartPage &chart, const ChartOutputHooks &hooks, PromptDialog &prompt, QWidget *parent)
{
    if (hooks.printerNames().isEmpty()) {
        prompt.ask(tr("提示"), tr("没有发现打印机！"), PromptDialog::Single, PromptDialog::Information,
            QStringLiteral("NO"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(chart.chart()->title());
    if (!hooks.choosePrinter(printer, parent))
        return;
    QPainter painter;
    bool printed = printer.printerState() != QPrinter::Error && painter.begin(&printer);
    if (printed) {
        // The whole chart on the page, as large as its shape allows.
        const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
        const QSizeF size = QSizeF(chart.size()).scaled(QSizeF(page), Qt::KeepAspectRatio);
        chart.renderTo(painter, QRectF(QPointF(0, 0), size));
        printed = painter.end() && printer.printerState() != QPrinter::Error;
    }
    if (!printed)
        prompt.ask(tr("错误"), tr("打印时发生错误！"), PromptDialog::Single, PromptDialog::Error,
            QStringLiteral("NO"));
}

void saveChartPicture(
    ScoreChartPage &chart, const ChartOutputHooks &hooks, PromptDialog &prompt, QWidget *parent)
{
    const QStringList filters = chartPictureFilters();
    QString chosen = filters.first();
    QString fileName = hooks.saveFileName(parent, filters, &chosen);
    if (fileName.isEmpty())
        return;
    QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != QLatin1String("bmp") && suffix != QLatin1String("png")) {
        // A name typed without its kind gets the kind of the filter chosen.
        suffix = chosen == filters.at(1) ? QStringLiteral("png") : QStringLiteral("bmp");
        fileName += QLatin1Char('.') + suffix;
    }
    if (!chart.picture().save(fileName, suffix.toUpper().toLatin1().constData()))
        prompt.ask(tr("错误"), tr("无法保存文件！"), PromptDialog::Single, PromptDialog::Error,
            QStringLiteral("NO"));
}

} // namespace vorlane::ui
