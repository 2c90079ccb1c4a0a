#pragma once

#include "ui/shell/UiContext.h"

#include <QMap>
#include <QPixmap>
#include <QWidget>

class QGridLayout;
class QLabel;
class QPushButton;

namespace vorlane::ui {

class CommandDispatcher;

// The main window: a frameless, screen-filling menu. Each item sends its command word to the
// dispatcher; only the items whose words the dispatcher serves are shown.
class MenuWindow : public QWidget
{
    Q_OBJECT

public:
    // Pictures the menu is drawn with, relative to the program's folder.
    static QStringList artworkFiles();
    // Whether every menu picture under appDir can be loaded.
    static bool artworkAvailable(const QString &appDir);

    MenuWindow(UiContext &context, CommandDispatcher &dispatcher, QWidget *parent = nullptr);

    // Shows exactly the items served by the dispatcher; call again when commands were added.
    void refreshItems();
    // The item of a command word (hidden or not); null for a word the menu does not offer.
    QPushButton *item(const QString &word) const;
    // Every command word the menu offers, in its order.
    QStringList words() const;

    // What happens each time the main window is shown (and on a click on its background):
    // the exam subject defaults to 1 and the answer times of that subject are loaded.
    void runShowSequence();

    // Fills the screen the window is on.
    void showOnScreen();

signals:
    void shownAndPainted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Every way out (Alt+F4, the window manager, the session) goes through the "quit" word and
    // its plan check, as the 退出 item does.
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void runCommand(const QString &word);
    QPushButton *addItem(const QString &word, const QString &caption, const QString &tip, QWidget *owner);
    void buildSubjects();
    void buildTools();
    void layoutSubjects();
    void focusFirstItem();

    UiContext &m_context;
    CommandDispatcher &m_dispatcher;
    QPixmap m_background;
    QPixmap m_scaledBackground;
    QPixmap m_logo;
    QPixmap m_banner;
    QMap<QString, QPushButton *> m_items;
    QStringList m_order;
    QList<QWidget *> m_subjectCards;
    QList<QWidget *> m_toolGroups;
    QList<QGridLayout *> m_toolGrids;
    QGridLayout *m_subjectGrid = nullptr;
    int m_subjectColumns = 0;
    bool m_shownOnce = false;
    bool m_paintReported = false;
    bool m_quitting = false;
};

} // namespace vorlane::ui
