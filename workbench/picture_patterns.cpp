// The window's name patterns, made from the loader's table of formats (see picture_patterns.h).

#include "workbench/picture_patterns.h"

#include "core/codec/picture_file.h"

namespace workbench {

QStringList picturePatterns() {
    QStringList patterns;
    for (const core::PictureFormatSpec& format : core::allPictureFormats())
        patterns << QLatin1Char('*') +
                        QString::fromLatin1(format.extension.data(), qsizetype(format.extension.size()));
    return patterns;
}

QString pictureFilter() {
    QStringList names, patterns;
    for (const core::PictureFormatSpec& format : core::allPictureFormats())
        names << QString::fromLatin1(format.name.data(), qsizetype(format.name.size()));
    for (const QString& pattern : picturePatterns())
        patterns << pattern << pattern.toUpper();
    return QStringLiteral("%1 pictures (%2)")
        .arg(names.join(QStringLiteral(" and ")), patterns.join(QLatin1Char(' ')));
}

} // namespace workbench
