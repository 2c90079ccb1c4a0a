#pragma once

#include <QDialog>

namespace vorlane::ui {

// Who made the program; it can only be closed.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(const QString &appDir, QWidget *parent = nullptr);
};

// The program's help, an HTML page shown inside the program.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(const QString &pagePath, QWidget *parent = nullptr);
};

} // namespace vorlane::ui
