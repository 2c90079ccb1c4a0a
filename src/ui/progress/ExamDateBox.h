#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vorlane::ui {

// A date typed as text with a calendar behind the button on its right. The text is what is
// saved, so a date that is not a date can be shown and refused instead of silently replaced.
class ExamDateBox : public QWidget
{
public:
    explicit ExamDateBox(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    QLineEdit *edit() const { return m_edit; }
    QToolButton *button() const { return m_button; }

private:
    void showCalendar();

    QLineEdit *m_edit = nullptr;
    QToolButton *m_button = nullptr;
};

} // namespace vorlane::ui
