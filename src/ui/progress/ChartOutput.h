#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

namespace vorlane::ui {

class ScoreChartPage;
class PromptDialog;
struct UiContext;

// The platform's printers and file dialogs as the chart window reaches them. Tests replace
// them so that no modal dialog opens and no real printer is needed.
struct ChartOutputHooks
{
    // Names of the installed printers.
    std::function<QStringList()> printerNames;
    // The print dialog on a landscape printer; false when the user cancels.
    std::function<bool(QPrinter &, QWidget *parent)> choosePrinter;
    // The save dialog; an empty name when the user cancels. The filter chosen comes back too.
    std::function<QString(QWidget *parent, const QStringList &filters, QString *chosenFilter)> saveFileName;

    // The real ones, run as child windows of the chart window through the modal runner.
    static ChartOutputHooks platform(UiContext &context);
};

// The two file kinds a chart is saved as; BMP first.
QStringList chartPictureFilters();

// Prints the chart on one landscape page; the messages when there is no printer or printing fails.
void printChart(ScoreChartPage &chart, const ChartOutputHooks &hooks, PromptDialog &prompt, QWidget *parent);
// Saves the chart on white as BMP or PNG; "无法保存文件！" when it cannot be written.
void saveChartPicture(
    ScoreChartPage &chart, const ChartOutputHooks &hooks, PromptDialog &prompt, QWidget *parent);

} // namespace vorlane::ui
