#include "ui/widgets/CommandKeys.h"

#include <QPushButton>
#include <QShortcut>

namespace vorlane::ui {

void addCommandKey(QPushButton *button, const QKeySequence &key)
{
    auto *shortcut = new QShortcut(key, button->window());
    shortcut->setObjectName(button->objectName() + QStringLiteral("Key"));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
    const QString shown = key.toString(QKeySequence::NativeText);
    const QString tip = button->toolTip().isEmpty() ? button->text() : button->toolTip();
    button->setToolTip(QObject::tr("%1（%2）").arg(tip, shown));
}

void makeTabReachable(QPushButton *button)
{
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(false);
}

} // namespace vorlane::ui
