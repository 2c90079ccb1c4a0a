#pragma once

#include "core/practice/Catalogue.h"
#include "ui/practice/CatalogueGeometry.h"

#include <QDialog>

#include <array>

class QLabel;
class QLCDNumber;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace vorlane::ui {

struct UiContext;
class PracticeWindow;

// The subject catalogue: chapters with their counters and the bank's totals, and the three
// ways into practice. It hides while a practice window runs and refreshes when it shows again.
class CatalogueWindow : public QDialog
{
    Q_OBJECT

public:
    CatalogueWindow(UiContext &context, QWidget *parent = nullptr);
    ~CatalogueWindow() override;

    // Runs the practice of a mode for the current row, as the click areas do.
    void startPractice(PracticeMode mode, bool byDoubleClick = false);
    // Re-reads rows and totals and returns to the last practised row; runs on every show.
    void refresh();

    QString currentCode() const;
    bool selectCode(const QString &code);
    const QString &lastChapterCode() const { return m_lastChapterCode; }
    // "试题录入" for the current row and "导入试题"; the counters show again afterwards.
    void enterQuestions();
    void importQuestions();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildLayout();
    void applyLayout();
    void showError(const QString &reason);

    UiContext &m_context;
    QList<CatalogueRow> m_rows;
    QString m_lastChapterCode;
    QPixmap m_background;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_model = nullptr;
    QLCDNumber *m_totalQuestions = nullptr;
    QLCDNumber *m_totalAnswers = nullptr;
    QLCDNumber *m_totalWrong = nullptr;
    QLabel *m_score = nullptr;
    QWidget *m_totals = nullptr;
    std::array<QPushButton *, catalogue::AreaCount> m_areas {};
};

} // namespace vorlane::ui
