#pragma once
// Reads the files of a zip archive with libzip, so that tests can look
// inside the OpenDocument and Word files the server writes.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace velars::test {

struct ZipEntry {
    QString name;
    int method = 0;   // 0 stored, 8 deflated
    QByteArray data;  // uncompressed
};

// The entries in the order of the archive's central directory; nullopt for
// a damaged archive.
std::optional<std::vector<ZipEntry>> ReadZip(const QByteArray& archive);

}  // namespace velars::test
