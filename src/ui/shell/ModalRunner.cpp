#include "ui/shell/ModalRunner.h"

#include <QDialog>
#include <QEventLoop>
#include <QWidget>

namespace vorlane::ui {

int ModalRunner::run(QDialog &dialog)
{
    QPointer<QDialog> guard(&dialog);
    QWidget *const owner = dialog.parentWidget();
    m_opened.append({ dialog.objectName(), owner ? owner->objectName() : QString(), owner });
    m_open.append(guard);
    if (dialog.windowModality() == Qt::NonModal)
        dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setResult(0);
    if (m_driver) {
        // A copy: the driver may open nested dialogs, and a test may swap drivers inside one.
        const Driver driver = m_driver;
        dialog.show();
        driver(dialog);
        if (guard && guard->isVisible())
            guard->hide();
    } else {
        QEventLoop loop;
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        QObject::connect(&dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
        dialog.show();
        loop.exec(QEventLoop::DialogExec);
    }
    m_open.removeAll(guard);
    m_open.removeAll(nullptr);
    return guard ? guard->result() : 0;
}

} // namespace vorlane::ui
