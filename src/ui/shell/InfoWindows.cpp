#include "ui/shell/InfoWindows.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vorlane::ui {

namespace {

QLabel *pictureLabel(const QString &file, const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(QPixmap(file));
    return label;
}

} // namespace

AboutWindow::AboutWindow(const QString &appDir, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(tr("关于"));
    // A plain border and title, without the caption buttons: only 关 闭 closes it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(440, 318);

    pictureLabel(appDir + QStringLiteral("pic/about_banner.png"), "aboutBanner", this)
        ->setGeometry(0, 0, 440, 84);
    pictureLabel(appDir + QStringLiteral("pic/about_side.png"), "aboutSide", this)
        ->setGeometry(20, 100, 96, 150);

    auto *product = new QLabel(tr("Vorlane 执业资格考试学习系统"), this);
    product->setObjectName(QStringLiteral("aboutProduct"));
    product->setStyleSheet(QStringLiteral("color: #1e3f61; font-size: 18px; font-weight: bold;"));
    product->setGeometry(136, 100, 290, 26);

    auto *rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("aboutRule"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(136, 130, 284, 4);

    auto *maker = new QLabel(tr("版本 %1\n制作：Vorlane 开发组\n"
                                "用途：章节练习、模拟考试与法规学习\n"
                                "联系：见主菜单中的“联系方式”")
                                 .arg(QStringLiteral("0.1")),
        this);
    maker->setObjectName(QStringLiteral("aboutMaker"));
    maker->setGeometry(136, 138, 290, 86);
    maker->setWordWrap(true);

    auto *rights = new QLabel(tr("版权所有 © 2026 Vorlane 开发组。题库与软件仅供个人学习使用，"
                                 "未经许可不得复制或传播。"),
        this);
    rights->setObjectName(QStringLiteral("aboutRights"));
    rights->setStyleSheet(QStringLiteral("color: #6b6455; font-size: 12px;"));
    rights->setGeometry(136, 228, 290, 40);
    rights->setWordWrap(true);

    auto *close = new QPushButton(tr("关 闭"), this);
    close->setObjectName(QStringLiteral("aboutClose"));
    close->setGeometry(340, 278, 80, 28);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

HelpWindow::HelpWindow(const QString &pagePath, QWidget *parent, const QString &title)
    : QDialog(parent)
    , m_pagePath(pagePath)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(title.isEmpty() ? tr("使用帮助") : title);
    setWindowFlags(
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    auto *browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl::fromLocalFile(pagePath));
    auto *close = new QPushButton(tr("关闭"), this);
    close->setObjectName(QStringLiteral("helpClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(browser, 1);
    layout->addLayout(buttons);
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    resize(qMin(900, available.width() - 40), qMin(680, available.height() - 60));
}

} // namespace vorlane::ui
