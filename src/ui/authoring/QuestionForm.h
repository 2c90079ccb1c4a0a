#pragma once

#include "core/authoring/ExamPointPicker.h"
#include "core/authoring/QuestionAuthoring.h"

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QWidget;

namespace vorlane::ui {

struct UiContext;

// The controls the entry window and the editor share: option count, key, type and the exam-point
// list with "添加考点", and their rules (self-assessed types fix count and key, Delete removes a
// point, the picker adds points).
class QuestionForm : public QObject
{
    Q_OBJECT

public:
    enum class Kind { Entry, Editor };
    QuestionForm(UiContext &context, QuestionAuthoring &authoring, Kind kind, QWidget *owner);

    // Fills the type box from the subject's types; false (after a message) when they cannot be read.
    bool loadTypes();
    // The type change rule of the kind: entry empties the key, the editor keeps it.
    void typeChosen(int index);
    // Selects a type by id without the change rule; self-assessed types still lock the boxes.
    void showType(int typeId, bool lockSelfAssessed);

    void addExamPoints();
    void setExamPoints(const QList<ExamPointLine> &points);
    void clear(); // key, points, first type (count keeps its value)
    // The draft from the boxes; the type is resolved by the box's text (the editor's is
    // editable): an unknown name gives its message.
    Result<QuestionDraft> draft() const;
    void unlock(); // enables count and key again, as saving and closing do
    void relock(); // locks them again while a self-assessed type is chosen

    QSpinBox *optionCount() const { return m_count; }
    QLineEdit *key() const { return m_key; }
    QComboBox *type() const { return m_type; }
    QListWidget *examPointList() const { return m_list; }
    QPushButton *addButton() const { return m_add; }
    QLabel *examPointLabel() const { return m_listLabel; }
    const ExamPointList &examPoints() const { return m_points; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPoints();

    UiContext &m_context;
    QuestionAuthoring &m_authoring;
    Kind m_kind;
    QWidget *m_owner;
    QList<QuestionType> m_types;
    ExamPointList m_points;
    QSpinBox *m_count = nullptr;
    QLineEdit *m_key = nullptr;
    QComboBox *m_type = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_add = nullptr;
    QLabel *m_listLabel = nullptr;
};

} // namespace vorlane::ui
