#pragma once

#include "core/progress/DailyLog.h"

#include <QAbstractTableModel>
#include <QDialog>

class QLabel;
class QTableView;

namespace vorlane::ui {

struct UiContext;

// The daily log's rows for the grid, newest day first; read only.
class DailyLogModel : public QAbstractTableModel
{
public:
    enum Column { Day, Questions, WrongQuestions, Answers, WrongAnswers, Time, Score, ColumnCount };

    explicit DailyLogModel(QObject *parent = nullptr);
    void setRows(QList<DailyLogRow> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<DailyLogRow> m_rows;
};

// "日志": every day's practice and the totals over all days.
class DailyLogWindow : public QDialog
{
public:
    DailyLogWindow(UiContext &context, QWidget *parent = nullptr);

private:
    UiContext &m_context;
    DailyLogModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QLabel *m_answers = nullptr;
    QLabel *m_wrongAnswers = nullptr;
    QLabel *m_score = nullptr;
};

} // namespace vorlane::ui
