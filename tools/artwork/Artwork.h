#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// Every picture the program ships under pic/ is drawn here by code, at build time.
// Each drawing file registers its pictures with VORLANE_PICTURE; the tool writes them all.
namespace vorlane::artwork {

struct Picture
{
    QString path; // relative to AppDir, e.g. "pic/menu.png"
    QSize size;
    std::function<void(QPainter &, const QSize &)> draw;
    // A file written as it is instead of drawn (a vector picture); `draw` is unused then.
    std::function<QByteArray()> contents = {};
};

std::vector<Picture> &pictures();

struct PictureRegistration
{
    PictureRegistration(Picture picture) { pictures().push_back(std::move(picture)); }
};

} // namespace vorlane::artwork

// VORLANE_FILE("icons/name.svg", [] { return QByteArray(…); })
#define VORLANE_FILE(path, contents)                                                                         \
    static const vorlane::artwork::PictureRegistration VORLANE_PICTURE_CONCAT(picture_, __LINE__)(           \
        vorlane::artwork::Picture { QStringLiteral(path), QSize(), {}, contents });

#define VORLANE_PICTURE_CONCAT2(a, b) a##b
#define VORLANE_PICTURE_CONCAT(a, b) VORLANE_PICTURE_CONCAT2(a, b)
// VORLANE_PICTURE("pic/name.png", QSize(w, h), [](QPainter &p, const QSize &s) { … })
#define VORLANE_PICTURE(path, size, draw)                                                                    \
    static const vorlane::artwork::PictureRegistration VORLANE_PICTURE_CONCAT(picture_, __LINE__)(           \
        vorlane::artwork::Picture { QStringLiteral(path), size, draw });
