#include "app/WindowIcon.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace velars {

QIcon WindowIcon() {
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    // Every file there is a PNG; a name filter would compile a regular
    // expression for nothing.
    for (const QString& name : icons.entryList(QDir::Files)) {
        // With the format named and detection off, QImageReader goes
        // straight to its PNG handler instead of asking every plugin.
        QImageReader reader(icons.filePath(name), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace velars
