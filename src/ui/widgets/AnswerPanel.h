#pragma once

#include "core/answer/AnswerEncoding.h"

#include <QWidget>

#include <array>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace vorlane::ui {

// The six-page answer panel: a view over AnswerPanelState. Clicks and keys change the state
// through the answer model, and the widgets follow the state; the answer texts, hints and the
// radio and toggle rules are the model's.
class AnswerPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int NoPage = NoAnswerPage;

    explicit AnswerPanel(QWidget *parent = nullptr);

    // A page outside 0..5 (a type without a page of its own) leaves the page shown.
    void setPage(int page);
    int page() const { return m_state.page; }

    // Sets the page shown so that reading it gives the answer again.
    void restore(int optionCount, const QString &answer);
    // The answer text of the page shown, in the canonical form of its kind.
    QString read(int optionCount) const;
    // The answer as the answer view shows it ("对"/"错" on the true/false page).
    QString displayReading() const;

    // The side label of the self-assessed page, one character per line.
    void setSelfAssessedLabel(const QString &name);
    QString selfAssessedLabel() const;

    // A letter key: presses (page 0) or toggles (page 1) that option, shown or not.
    void pressOption(int index);

    const AnswerPanelState &state() const { return m_state; }
    QAbstractButton *option(int page, int index) const;
    QAbstractButton *trueFalseButton(int index) const { return m_trueFalse.at(index); }
    QLineEdit *fillIn() const { return m_fillIn; }
    QComboBox *selfAssessed() const { return m_selfAssessed; }

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;

private:
    QWidget *makeOptionPage(int page);
    QWidget *withSideLabel(QWidget *input, int page, QLabel **labelOut = nullptr);
    void sync();

    AnswerPanelState m_state;
    bool m_syncing = false;
    QStackedWidget *m_pages = nullptr;
    std::array<std::array<QAbstractButton *, OptionButtonCount>, AnswerPageCount> m_options {};
    QLineEdit *m_fillIn = nullptr;
    std::array<QAbstractButton *, 2> m_trueFalse {};
    QComboBox *m_selfAssessed = nullptr;
    QLabel *m_selfAssessedLabel = nullptr;
};

} // namespace vorlane::ui
