#pragma once

#include <QDialog>

class QButtonGroup;
class QChartView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlane {
struct Readiness;
}

namespace vorlane::ui {

class ExamDateBox;
struct UiContext;

// "学习计划": the days left until the exam, the daily target and the exam date, and how ready
// the candidate is. Opens viewing; "设定" starts editing, "保存" stores the plan.
class StudyPlanWindow : public QDialog
{
public:
    StudyPlanWindow(UiContext &context, QWidget *parent = nullptr);

    bool isEditing() const { return m_editing; }

private:
    QGroupBox *makeModeGroup();
    QWidget *makeCountdown();
    void loadPlan();
    void showCountdown(const QString &dateText);
    void showReadiness();
    void fillReadinessChart(const Readiness &readiness);
    void setModeEnabled(bool on);
    void selectMode(int mode);
    void setOrSave();

    UiContext &m_context;
    bool m_editing = false;
    QLabel *m_countdownCaption = nullptr;
    QLabel *m_days = nullptr;
    QLabel *m_daysUnit = nullptr;
    ExamDateBox *m_examDate = nullptr;
    QGroupBox *m_modeGroup = nullptr;
    QButtonGroup *m_modes = nullptr;
    QLineEdit *m_amount = nullptr;
    QLineEdit *m_minutes = nullptr;
    QPushButton *m_setSave = nullptr;
    QLabel *m_readiness = nullptr;
    QChartView *m_readinessChart = nullptr;
};

} // namespace vorlane::ui
