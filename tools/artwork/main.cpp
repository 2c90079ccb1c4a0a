#include "Artwork.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace vorlane::artwork {
std::vector<Picture> &pictures()
{
    static std::vector<Picture> all;
    return all;
}
} // namespace vorlane::artwork

// Usage: vorlane_artwork OUTPUT_DIR   (writes every registered picture below it)
int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: vorlane_artwork OUTPUT_DIR\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const auto &picture : vorlane::artwork::pictures()) {
        if (picture.contents) {
            const QString path = out.filePath(picture.path);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                || file.write(picture.contents()) < 0) {
                QTextStream(stderr) << "cannot write " << path << '\n';
                return 1;
            }
            continue;
        }
        QImage image(picture.size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            picture.draw(painter, picture.size);
        }
        const QString path = out.filePath(picture.path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!image.save(path)) {
            QTextStream(stderr) << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
