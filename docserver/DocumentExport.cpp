#include "docserver/DocumentExport.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace velars {

bool WriteOdt(const QTextDocument& document, const QString& path) {
    QTextDocumentWriter writer(path, "odf");
    return writer.write(&document);
}

bool WritePdf(const QTextDocument& document, const QString& path) {
    // The printer reports no failure of its own: make sure the file can be
    // created, then check that something was written.
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    document.print(&printer);
    return QFileInfo(path).size() > 0;
}

}  // namespace velars
