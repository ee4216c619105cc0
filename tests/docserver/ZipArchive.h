#pragma once
// Reads the files of a zip archive (stored or deflated entries) so that tests
// can look inside the OpenDocument files the server writes.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace velars::test {

struct ZipEntry {
    QString name;
    int method = 0;  // 0 stored, 8 deflated
    QByteArray data;  // uncompressed
};

// The entries in the order of the archive's central directory; nullopt for
// a damaged archive or an unsupported compression method.
std::optional<std::vector<ZipEntry>> ReadZip(const QByteArray& archive);

// Raw deflate data (RFC 1951) inflated; nullopt when it is damaged.
std::optional<QByteArray> Inflate(const QByteArray& deflated);

}  // namespace velars::test
