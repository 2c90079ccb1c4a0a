#include "ui/shell/Theme.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace vorlane::ui {

namespace {

// Fontconfig has no alias for the Windows Song faces, so without this Chinese text would fall
// back to a sans face. Noto Serif CJK is the Song face Debian ships.
const char *const SongFaces[]
    = { "Noto Serif CJK SC", "Noto Serif CJK", "AR PL UMing CN", "Noto Sans CJK SC" };

const char StyleSheet[] = R"(
QDialog, QMainWindow { background: #f6f3ec; }
QToolTip { background: #fffdf6; color: #1f2d3d; border: 1px solid #b9ae96; padding: 3px; }
QPushButton {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e6e0d2);
    color: #1f2d3d; border: 1px solid #a79d86; border-radius: 6px; padding: 2px 6px;
}
QPushButton:hover { border-color: #2f5d8a; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dde6ef); }
QPushButton:pressed { background: #cfdbe8; }
QPushButton:focus { border: 1px solid #2f5d8a; }
QPushButton:disabled { color: #9a958a; border-color: #cfc8b8; background: #eeebe3; }
QLineEdit, QSpinBox, QDoubleSpinBox, QComboBox, QDateEdit, QTextEdit, QPlainTextEdit {
    background: #ffffff; border: 1px solid #b9ae96; border-radius: 3px; padding: 1px 3px;
    selection-background-color: #2f5d8a; selection-color: #ffffff;
}
QLineEdit:focus, QSpinBox:focus, QDoubleSpinBox:focus, QComboBox:focus, QDateEdit:focus,
QTextEdit:focus, QPlainTextEdit:focus { border-color: #2f5d8a; }
QComboBox QAbstractItemView { background: #ffffff; selection-background-color: #2f5d8a; }
QHeaderView::section {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a6b9a, stop:1 #2f5d8a);
    color: #ffffff; border: 0; border-right: 1px solid #1e3f61; padding: 2px 2px;
}
QTableView, QTreeView, QListView {
    background: #ffffff; alternate-background-color: #f3efe4; gridline-color: #ddd5c3;
    selection-background-color: #2f5d8a; selection-color: #ffffff; border: 1px solid #b9ae96;
}
QGroupBox { border: 1px solid #c9bfa8; border-radius: 5px; margin-top: 10px; padding-top: 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: #1e3f61; }
QTabWidget::pane { border: 1px solid #b9ae96; background: #ffffff; }
QTabBar::tab { background: #e6e0d2; border: 1px solid #b9ae96; padding: 4px 12px; margin-right: 2px;
               border-top-left-radius: 4px; border-top-right-radius: 4px; }
QTabBar::tab:selected { background: #ffffff; color: #1e3f61; }
QProgressBar { border: 1px solid #a79d86; border-radius: 3px; background: #ffffff; text-align: center; }
QProgressBar::chunk { background: #2f5d8a; }
QScrollBar:vertical { background: #efeadf; width: 12px; margin: 0; }
QScrollBar::handle:vertical { background: #bfb49c; border-radius: 5px; min-height: 24px; margin: 1px; }
QScrollBar:horizontal { background: #efeadf; height: 12px; margin: 0; }
QScrollBar::handle:horizontal { background: #bfb49c; border-radius: 5px; min-width: 24px; margin: 1px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
)";

} // namespace

void mapSongFont()
{
    QStringList installed;
    const QStringList families = QFontDatabase::families();
    for (const char *face : SongFaces)
        if (families.contains(QLatin1String(face)))
            installed.append(QLatin1String(face));
    if (installed.isEmpty())
        return;
    QFont::insertSubstitutions(QStringLiteral("宋体"), installed);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), installed);
}

void applyTheme(QApplication &app)
{
    mapSongFont();
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, QColor(theme::Paper));
    palette.setColor(QPalette::WindowText, QColor(theme::Ink));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xf3efe4));
    palette.setColor(QPalette::Text, QColor(theme::Ink));
    palette.setColor(QPalette::Button, QColor(0xece6d8));
    palette.setColor(QPalette::ButtonText, QColor(theme::Ink));
    palette.setColor(QPalette::Highlight, QColor(theme::Navy));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(theme::Navy));
    QApplication::setPalette(palette);

    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    QApplication::setFont(font);
    app.setStyleSheet(QString::fromUtf8(StyleSheet));
}

} // namespace vorlane::ui
