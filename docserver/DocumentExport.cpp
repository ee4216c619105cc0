#include "docserver/DocumentExport.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace velars {

// Both formats are written into a temporary file beside the target, which
// replaces the target only once it is complete: a failed save never leaves
// the user's earlier file truncated or half written.

bool WriteOdt(const QTextDocument& document, const QString& path) {
    QBuffer content;
    content.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&content, "odf");
    if (!writer.write(&document)) return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content.data()) == content.size() &&
           file.commit();
}

bool WritePdf(const QTextDocument& document, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(1200);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Portrait);
        document.print(&pdf);
    }
    return file.size() > 0 && file.commit();
}

}  // namespace velars
