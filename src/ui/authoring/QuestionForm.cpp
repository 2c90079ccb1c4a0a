#include "ui/authoring/QuestionForm.h"

#include "core/AppState.h"
#include "ui/authoring/ExamPointPickerWindow.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace vorlane::ui {

QuestionForm::QuestionForm(UiContext &context, QuestionAuthoring &authoring, Kind kind, QWidget *owner)
    : QObject(owner)
    , m_context(context)
    , m_authoring(authoring)
    , m_kind(kind)
    , m_owner(owner)
    , m_points(kind == Kind::Entry ? ExamPointList::Owner::Entry : ExamPointList::Owner::Editor)
{
    m_count = new QSpinBox(owner);
    m_count->setObjectName(QStringLiteral("optionCountBox"));
    m_count->setRange(MinOptionCount, MaxOptionCount);
    m_count->setValue(5);
    m_key = new QLineEdit(owner);
    m_key->setObjectName(QStringLiteral("keyEdit"));
    m_key->setMaxLength(MaxKeyLength);
    // Keys are stored in upper case: typed letters turn upper case at once.
    connect(m_key, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (text == text.toUpper())
            return;
        const int cursor = m_key->cursorPosition();
        m_key->setText(text.toUpper());
        m_key->setCursorPosition(cursor);
    });
    m_type = new QComboBox(owner);
    m_type->setObjectName(QStringLiteral("typeBox"));
    // The editor's box also takes typed text, as it always has; save checks the name.
    m_type->setEditable(kind == Kind::Editor);
    m_type->setInsertPolicy(QComboBox::NoInsert);
    connect(m_type, &QComboBox::activated, this, &QuestionForm::typeChosen);
    m_add = new QPushButton(tr("添加考点"), owner);
    m_add->setObjectName(QStringLiteral("addExamPointsButton"));
    connect(m_add, &QPushButton::clicked, this, &QuestionForm::addExamPoints);
    m_list = new QListWidget(owner);
    m_list->setObjectName(QStringLiteral("examPointList"));
    m_list->setToolTip(tr("点击\"Delete\"键可以删除考点"));
    m_list->installEventFilter(this);
    m_listLabel = new QLabel(tr("对应考点："), owner);
}

bool QuestionForm::loadTypes()
{
    const auto types = m_authoring.types();
    if (!types) {
        m_context.prompt.ask(tr("错误"), types.reason(), PromptDialog::Single, PromptDialog::Error);
        return false;
    }
    m_types = *types;
    m_type->clear();
    for (const QuestionType &type : m_types)
        m_type->addItem(type.name, type.id);
    if (!m_types.isEmpty())
        m_type->setCurrentIndex(0);
    return true;
}

void QuestionForm::typeChosen(int index)
{
    m_count->setEnabled(true);
    m_key->setEnabled(true);
    if (index < 0 || index >= m_types.size())
        return;
    if (isSelfAssessedType(m_types.at(index))) {
        m_count->setValue(1);
        m_key->setText(QStringLiteral("1"));
        m_count->setEnabled(false);
        m_key->setEnabled(false);
    } else if (m_kind == Kind::Entry) {
        m_key->clear();
    }
}

void QuestionForm::showType(int typeId, bool lockSelfAssessed)
{
    for (int i = 0; i < m_types.size(); ++i) {
        if (m_types.at(i).id != typeId)
            continue;
        m_type->setCurrentIndex(i);
        if (lockSelfAssessed && isSelfAssessedType(m_types.at(i))) {
            m_count->setValue(1);
            m_key->setText(QStringLiteral("1"));
            m_count->setEnabled(false);
            m_key->setEnabled(false);
        }
        return;
    }
    // A type the subject does not list: the box shows its number, and saving asks for a type.
    m_type->setCurrentIndex(-1);
    if (m_type->isEditable())
        m_type->setEditText(QString::number(typeId));
}

void QuestionForm::addExamPoints()
{
    if (const Status room = m_points.canAdd(); !room) {
        m_context.prompt.ask(tr("提示"), room.reason(), PromptDialog::Single, PromptDialog::Information);
        return;
    }
    ExamPointPickerWindow picker(m_context, ExamPointPickerWindow::SelectionPage, m_points.keys(), m_owner);
    if (m_context.modal.run(picker) == QDialog::Accepted) {
        m_points.add(picker.picked());
        showPoints();
    }
}

void QuestionForm::setExamPoints(const QList<ExamPointLine> &points)
{
    m_points.setPoints(points);
    showPoints();
}

void QuestionForm::showPoints()
{
    m_list->clear();
    for (const ExamPointLine &point : m_points.points()) {
        auto *item = new QListWidgetItem(point.line, m_list);
        item->setData(Qt::UserRole, point.key);
    }
}

bool QuestionForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        const int row = m_list->currentRow();
        if (row >= 0 && m_list->currentItem() && m_list->currentItem()->isSelected()) {
            m_points.removeAt(row);
            showPoints();
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void QuestionForm::clear()
{
    m_key->clear();
    m_points.clear();
    showPoints();
    if (m_type->count() > 0)
        m_type->setCurrentIndex(0);
}

void QuestionForm::unlock()
{
    m_count->setEnabled(true);
    m_key->setEnabled(true);
}

void QuestionForm::relock()
{
    const int index = m_type->currentIndex();
    if (index >= 0 && index < m_types.size() && m_type->currentText() == m_types.at(index).name)
        showType(m_types.at(index).id, true);
}

Result<QuestionDraft> QuestionForm::draft() const
{
    QuestionDraft draft;
    draft.optionCount = m_count->value();
    draft.key = normalisedKey(m_key->text());
    draft.examPoints = m_points.keys();
    const QString name = m_type->currentText().trimmed();
    if (name.isEmpty()) {
        draft.typeId = 0; // the check asks for a type
        return draft;
    }
    const auto type = m_authoring.typeNamed(name);
    if (!type)
        return type.status();
    draft.typeId = type->id;
    return draft;
}

} // namespace vorlane::ui
