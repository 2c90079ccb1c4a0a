#include "ui/exam/ExamSettingsWindow.h"

#include "core/AppState.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

QLineEdit *makeNumberEdit(const char *name, const QString &hint, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setToolTip(hint);
    edit->setMaxLength(3);
    edit->setValidator(new QIntValidator(0, 999, edit));
    return edit;
}

} // namespace

ExamSettingsWindow::ExamSettingsWindow(UiContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_store(context.db, context.clock)
{
    setObjectName(QStringLiteral("examSettingsWindow"));
    setWindowTitle(tr("考试设置"));
    m_fullScore = m_store.fullScore(context.state.examSubject);

    m_passMark = makeNumberEdit("settingsPassMark", tr("与试卷总分数相关"), this);
    m_minutes = makeNumberEdit("settingsExamMinutes", tr("（单位：分钟）"), this);
    m_defaultPassMark = new QCheckBox(tr("保留试卷最低分数"), this);
    m_defaultPassMark->setObjectName(QStringLiteral("settingsDefaultPassMark"));
    m_defaultMinutes = new QCheckBox(tr("模拟考试答题时间"), this);
    m_defaultMinutes->setObjectName(QStringLiteral("settingsDefaultMinutes"));
    m_defaults = new QPushButton(tr("默认"), this);
    m_defaults->setObjectName(QStringLiteral("settingsDefaults"));
    m_defaults->setToolTip(tr("先选择要恢复默认值的项"));
    m_defaults->setAutoDefault(false);
    m_defaults->setEnabled(false);
    auto *close = new QPushButton(tr("关闭"), this);
    close->setObjectName(QStringLiteral("settingsClose"));
    close->setToolTip(tr("保存后退出本界面"));
    close->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(m_defaultPassMark, m_passMark);
    form->addRow(m_defaultMinutes, m_minutes);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_defaults);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    const Result<exam::ExamSettings> settings = m_store.settings();
    m_passMark->setText(QString::number(settings ? settings->leastMark : 0));
    m_minutes->setText(QString::number(settings ? settings->examTimeSeconds / 60 : 0));

    connect(m_passMark, &QLineEdit::textEdited, this, [this] { checkPassMark(); });
    for (QCheckBox *box : { m_defaultPassMark, m_defaultMinutes })
        connect(box, &QCheckBox::clicked, this, [this] {
            m_defaults->setEnabled(m_defaultPassMark->isChecked() || m_defaultMinutes->isChecked());
        });
    connect(m_defaults, &QPushButton::clicked, this, [this] { restoreDefaults(); });
    connect(close, &QPushButton::clicked, this, [this] { saveAndClose(); });
}

void ExamSettingsWindow::checkPassMark()
{
    if (m_passMark->text().isEmpty())
        m_passMark->setText(QStringLiteral("0"));
    bool clamped = false;
    const int mark = exam::StoredPapers::checkedPassMark(m_passMark->text(), m_fullScore, &clamped);
    if (clamped) {
        m_context.prompt.ask(
            tr("提示"), tr("最低分数不能超过总分数！"), PromptDialog::Single, PromptDialog::Information);
        m_passMark->setText(QString::number(mark));
        m_passMark->setFocus();
    }
}

void ExamSettingsWindow::restoreDefaults()
{
    const exam::ExamSettings defaults = exam::StoredPapers::defaultSettings(m_fullScore);
    if (m_defaultPassMark->isChecked())
        m_passMark->setText(QString::number(defaults.leastMark));
    if (m_defaultMinutes->isChecked())
        m_minutes->setText(QString::number(defaults.examTimeSeconds / 60));
}

void ExamSettingsWindow::saveAndClose()
{
    if (const Status saved = m_store.saveSettings(m_passMark->text(), m_minutes->text()); !saved)
        m_context.prompt.ask(tr("警告"), saved.reason(), PromptDialog::Single, PromptDialog::Error);
    accept();
}

} // namespace vorlane::ui
