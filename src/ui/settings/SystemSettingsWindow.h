#pragma once

#include "ui/shell/UiContext.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace vorlane::ui {

// The system settings, in one of two faces: the music face (switch and tune list) or the
// answer-times face (minutes per question for each question type of the exam subject).
class SystemSettingsWindow : public QDialog
{
    Q_OBJECT

public:
    SystemSettingsWindow(UiContext &context, bool timesOnly, QWidget *parent = nullptr);

    bool timesOnly() const { return m_timesOnly; }
    // The minutes edits of the answer-times face, one per question type in table order.
    const QList<QDoubleSpinBox *> &timeEdits() const { return m_edits; }

public slots:
    // Closing always succeeds; the answer-times face saves its times first.
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildMusicFace();
    void buildTimesFace();
    void switchToggled(bool on);
    void tuneChosen(int index);
    void saveTimes();

    UiContext &m_context;
    bool m_timesOnly = false;
    bool m_closing = false;
    QPushButton *m_switch = nullptr;
    QComboBox *m_tunes = nullptr;
    QScrollArea *m_scroll = nullptr;
    QPushButton *m_close = nullptr;
    QList<QDoubleSpinBox *> m_edits;
};

} // namespace vorlane::ui
