#include "document/DocxPackage.h"

#include <QFile>

#include <zip.h>

namespace vorlane::document {

void DocxPackage::addPart(const QString &name, QByteArray data)
{
    m_parts << Part { name, std::move(data) };
}

Status DocxPackage::save(const QString &path) const
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString reason = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return Status::failure(reason);
    }
    for (const Part &part : m_parts) {
        // The buffers stay alive in m_parts until zip_close has read them.
        zip_source_t *source
            = zip_source_buffer(archive, part.data.constData(), zip_uint64_t(part.data.size()), 0);
        if (!source || zip_file_add(archive, part.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            const QString reason = QString::fromLocal8Bit(zip_strerror(archive));
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            return Status::failure(reason);
        }
    }
    if (zip_close(archive) != 0) {
        const QString reason = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        return Status::failure(reason);
    }
    return {};
}

QByteArray readZipEntry(const QString &path, const QString &name)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return {};
    QByteArray data;
    zip_stat_t stat;
    zip_stat_init(&stat);
    const QByteArray entry = name.toUtf8();
    if (zip_stat(archive, entry.constData(), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
        if (zip_file_t *file = zip_fopen(archive, entry.constData(), 0)) {
            data.resize(qsizetype(stat.size));
            if (zip_fread(file, data.data(), stat.size) != zip_int64_t(stat.size))
                data.clear();
            zip_fclose(file);
        }
    }
    zip_discard(archive);
    return data;
}

} // namespace vorlane::document
