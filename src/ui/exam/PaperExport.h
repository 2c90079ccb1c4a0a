#pragma once

#include "core/exam/PaperDocument.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace vorlane::ui {

struct UiContext;

// Where a paper goes and what of it.
struct ExportTarget
{
    QString path;
    exam::ExportContent content = exam::ExportContent::WithAnswers;
};

// "生成文档" of the exam window's review: asks where to write the paper and what to put in it,
// has core compose it and the document writer write it, then opens it in the desktop's default
// program. Every failure is reported in the message box; the exam window stays usable.
class PaperExporter
{
public:
    PaperExporter(UiContext &context, QWidget *parent);

    // Exports the paper; false when nothing was written (cancelled, or failed and reported).
    bool exportPaper(const exam::PaperIdentity &paper, int subject);

    // Test hook: documents are handed to this opener instead of the desktop (false: nothing
    // opens them). The save dialog ("examExportDialog") is run through the modal runner.
    void setDocumentOpener(std::function<bool(const QString &)> opener) { m_open = std::move(opener); }

    // The save dialog's choices, in the order it lists them.
    static QStringList contentFilters();

private:
    std::optional<ExportTarget> askTarget(const exam::PaperIdentity &paper);

    UiContext &m_context;
    QWidget *m_parent;
    std::function<bool(const QString &)> m_open;
};

} // namespace vorlane::ui
