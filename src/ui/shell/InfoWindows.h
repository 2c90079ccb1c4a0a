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

// An HTML page shown inside the program: the help, and the pages the desktop cannot show.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(const QString &pagePath, QWidget *parent = nullptr, const QString &title = QString());
    QString pagePath() const { return m_pagePath; }

private:
    QString m_pagePath;
};

} // namespace vorlane::ui
