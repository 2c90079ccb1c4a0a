#include "ui/exam/PaperExport.h"

#include "core/AppState.h"
#include "core/log/Logging.h"
#include "document/DocxWriter.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace vorlane::ui {

namespace {

const exam::ExportContent Contents[] = { exam::ExportContent::WithAnswers,
    exam::ExportContent::WithoutAnswers, exam::ExportContent::WrongOnly };

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A desktop without the folder yet gets it, as the file dialog would otherwise start elsewhere;
    // tests never make folders in the user's home.
    if (documents.isEmpty()
        || (QStandardPaths::isTestModeEnabled() ? !QDir(documents).exists() : !QDir().mkpath(documents)))
        return QDir::homePath();
    return documents;
}

} // namespace

PaperExporter::PaperExporter(UiContext &context, QWidget *parent)
    : m_context(context)
    , m_parent(parent)
    , m_open([](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
{
}

QStringList PaperExporter::contentFilters()
{
    return { QObject::tr("含答案 (*.docx)"), QObject::tr("不含答案 (*.docx)"), QObject::tr("错题 (*.docx)") };
}

std::optional<ExportTarget> PaperExporter::askTarget(const exam::PaperIdentity &paper)
{
    QFileDialog dialog(m_parent, QObject::tr("生成文档"), documentsFolder());
    dialog.setObjectName(QStringLiteral("examExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("docx"));
    const QStringList filters = contentFilters();
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    dialog.selectFile(exam::suggestedDocumentName(paper.title, Contents[0]));
    // The suggested name follows the content chosen, so the three documents of a paper do not
    // overwrite each other.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filters, &paper](const QString &filter) {
            const qsizetype index = filters.indexOf(filter);
            if (index >= 0)
                dialog.selectFile(exam::suggestedDocumentName(paper.title, Contents[index]));
        });
    if (m_context.modal.run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const qsizetype index = qMax<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    return ExportTarget { dialog.selectedFiles().first(), Contents[index] };
}

bool PaperExporter::exportPaper(const exam::PaperIdentity &paper, int subject)
{
    const std::optional<ExportTarget> target = askTarget(paper);
    if (!target || target->path.isEmpty())
        return false;
    QString path = target->path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".docx");

    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_context.progress.showStage(QObject::tr("正在导出试卷，请等待..."));
    const auto blocks = exam::composePaperDocument(m_context.db, paper, subject, target->content);
    Status written;
    if (blocks)
        written = document::writePaperDocument(*blocks, paper.title, path, m_context.state.appDir);
    m_context.progress.hide();
    QApplication::restoreOverrideCursor();

    if (!blocks && blocks.reason() == exam::noWrongQuestions()) {
        m_context.prompt.ask(
            QObject::tr("提示"), blocks.reason(), PromptDialog::Single, PromptDialog::Information);
        return false;
    }
    if (!blocks || !written) {
        // Why the file could not be written (libzip's text) is for the log, not the box.
        if (blocks)
            qCWarning(lcUi) << "export to" << path << "failed:" << written.reason();
        m_context.prompt.ask(QObject::tr("警告"), QObject::tr("导出试题发生错误，请退出后重试！"),
            PromptDialog::Single, PromptDialog::Warning);
        return false;
    }
    if (!m_open(path))
        m_context.prompt.ask(QObject::tr("提示"),
            QObject::tr("没有找到打开文档的程序，文档已保存到：\n%1").arg(QDir::toNativeSeparators(path)),
            PromptDialog::Single, PromptDialog::Information);
    return true;
}

} // namespace vorlane::ui
