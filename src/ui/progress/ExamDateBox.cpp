#include "ui/progress/ExamDateBox.h"

#include "core/progress/StudyPlan.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace vorlane::ui {

ExamDateBox::ExamDateBox(QWidget *parent)
    : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("planExamDate"));
    m_edit->setToolTip(tr("点击右侧按钮-->"));
    m_edit->setPlaceholderText(QStringLiteral("2027-06-12"));
    m_edit->setFixedWidth(130);
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("planExamDateButton"));
    m_button->setToolTip(tr("点击设置日期"));
    m_button->setArrowType(Qt::DownArrow);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addWidget(m_button);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_button, &QToolButton::clicked, this, [this] { showCalendar(); });
}

QString ExamDateBox::text() const
{
    return m_edit->text();
}

void ExamDateBox::setText(const QString &text)
{
    m_edit->setText(text);
}

void ExamDateBox::showCalendar()
{
    auto *calendar = new QCalendarWidget(this);
    calendar->setObjectName(QStringLiteral("planExamCalendar"));
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setGridVisible(true);
    calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    const QDate shown = parseExamDate(text());
    if (shown.isValid())
        calendar->setSelectedDate(shown);
    // A click on a day, or Return on the day chosen with the arrow keys, takes it.
    for (auto signal : { &QCalendarWidget::clicked, &QCalendarWidget::activated })
        connect(calendar, signal, this, [this, calendar](const QDate &date) {
            setText(examDateText(date));
            calendar->close();
        });
    // The style sheet's taller rows are not in the calendar's own size hint.
    calendar->resize(calendar->sizeHint().expandedTo(QSize(300, 250)));
    calendar->move(mapToGlobal(QPoint(0, height())));
    calendar->show();
}

} // namespace vorlane::ui
