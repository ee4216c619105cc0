#include "writer/WriterDetection.h"

#include <QDir>
#include <QFileInfo>

namespace velars {

QString FindWriterOffice(const QString& path) {
    for (const QString& folder : path.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QFileInfo candidate(QDir(folder).filePath(QStringLiteral("soffice")));
        if (!candidate.isFile() || !candidate.isExecutable()) continue;
        // /usr/bin/soffice links to <installation>/program/soffice.
        const QFileInfo program(candidate.canonicalFilePath());
        if (QFileInfo::exists(program.dir().filePath(QStringLiteral("libswlo.so"))))
            return candidate.absoluteFilePath();
    }
    return {};
}

}  // namespace velars
