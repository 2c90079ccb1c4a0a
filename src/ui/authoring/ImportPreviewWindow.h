#pragma once

#include "core/authoring/QuestionImport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace vorlane::ui {

struct UiContext;

// "导入试题": every row of the file with what is wrong with it; "导入" saves the good rows all
// together, "取消" leaves the bank as it was.
class ImportPreviewWindow : public QDialog
{
    Q_OBJECT

public:
    ImportPreviewWindow(UiContext &context, QuestionImport &import, ImportPreview preview,
        const QString &fileName, QWidget *parent = nullptr);

    int importedCount() const { return m_imported; }
    QTableWidget *table() const { return m_table; }
    QLabel *summary() const { return m_summary; }

    bool importGoodRows();

private:
    void fillTable();

    UiContext &m_context;
    QuestionImport &m_import;
    ImportPreview m_preview;
    int m_imported = 0;
    QLabel *m_summary = nullptr;
    QTableWidget *m_table = nullptr;
    QPushButton *m_importButton = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace vorlane::ui
