#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// Where the catalogue's background picture draws its button faces and where the window lays
// its click areas, grid and totals over them. The picture generator and the window share it,
// so the faces and the areas cannot drift apart. Designed for the 800 layout; the 1024 layout
// is the same drawing a quarter larger, with a taller grid.
namespace vorlane::ui::catalogue {

enum Area { NewQuestions, WrongQuestions, ReviewQuestions, Settings, Close, Entry, Import, AreaCount };

struct Geometry
{
    QSize window;
    QRect grid;
    QRect totals;
    std::array<QRect, AreaCount> areas;
};

inline QRect scaled(const QRect &r, double f)
{
    return QRect(qRound(r.x() * f), qRound(r.y() * f), qRound(r.width() * f), qRound(r.height() * f));
}

inline Geometry geometry(bool compact)
{
    const Geometry design { QSize(761, 480), QRect(25, 129, 600, 178), QRect(640, 129, 96, 178),
        { QRect(114, 373, 69, 31), QRect(185, 373, 69, 31), QRect(255, 373, 69, 31), QRect(500, 376, 45, 24),
            QRect(548, 376, 45, 24), QRect(325, 373, 69, 31), QRect(395, 373, 69, 31) } };
    if (compact)
        return design;
    const double f = 1.25;
    Geometry large { QSize(qRound(design.window.width() * f), qRound(design.window.height() * f)),
        scaled(design.grid, f), scaled(design.totals, f), {} };
    for (int i = 0; i < AreaCount; ++i)
        large.areas[i] = scaled(design.areas[i], f);
    // The larger screen has room for more rows: the grid and the totals reach down to just
    // above the buttons instead of leaving an empty band.
    const int bottom = large.areas[NewQuestions].top() - 24;
    large.grid.setBottom(bottom);
    large.totals.setBottom(bottom);
    return large;
}

inline QString areaCaption(int area)
{
    static const char *const captions[]
        = { "练习新题", "错题重做", "习题重温", "系统设置", "关闭", "试题录入", "导入试题" };
    return QString::fromUtf8(captions[area]);
}

inline QString backgroundPath(bool compact)
{
    return compact ? QStringLiteral("pic/kmmc800.png") : QStringLiteral("pic/kmmc1024.png");
}

} // namespace vorlane::ui::catalogue
