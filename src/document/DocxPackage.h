#pragma once

#include "core/Status.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vorlane::document {

// The parts of an Office Open XML package, written into one zip file. The file appears whole
// or not at all: libzip writes a temporary file beside it and renames it only once complete, so
// a failure never leaves a half-written document under the chosen name.
class DocxPackage
{
public:
    void addPart(const QString &name, QByteArray data);
    Status save(const QString &path) const;

private:
    struct Part
    {
        QString name;
        QByteArray data;
    };
    QList<Part> m_parts;
};

// One entry of a zip file, or nothing when the file or the entry cannot be read. For checking
// a written document.
QByteArray readZipEntry(const QString &path, const QString &name);

} // namespace vorlane::document
