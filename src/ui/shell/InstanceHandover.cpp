#include "ui/shell/InstanceHandover.h"

#include "core/store/BankFiles.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace vorlane::ui {

void answerLaterStart(
    QWidget *mainWindow, PromptDialog &prompt, const QString &openBank, const QString &requestedBank)
{
    bringToFront(mainWindow);
    // An empty request comes from a start that did not say which bank it wanted.
    if (requestedBank.isEmpty() || sameBankFile(openBank, requestedBank) || prompt.isVisible())
        return;
    const auto shown
        = [](const QString &path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); };
    prompt.ask(QObject::tr("提示"),
        QObject::tr("本软件已经在运行，打开的是题库“%1”。要打开题库“%2”，请先退出本软件，再重新启动。")
            .arg(shown(openBank), shown(requestedBank)),
        PromptDialog::Single, PromptDialog::Information);
}

} // namespace vorlane::ui
