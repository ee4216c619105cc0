#include "files/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include "files/ProfileInteger.h"
#include "files/ProfileText.h"
#include "numbers/Exception.h"

namespace velars {

namespace {

// The profile functions fill a buffer of this many characters, the
// terminating null included.
constexpr qsizetype kReadBufferChars = 2048;

// A name or a value ends at a line break: what follows could only become a
// line of its own, a new section or a forged entry.
QString OneLine(const QString& text) {
    const qsizetype cut = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return cut < 0 ? text : text.left(cut);
}

// A file the profile can be read from: a regular file, not a folder, a
// device or a pipe (reading a pipe would wait for a writer).
bool IsReadableProfile(const QFileInfo& info) { return info.isFile(); }

}  // namespace

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    std::optional<QString> found;
    const QFileInfo info(fileName_);
    if (IsReadableProfile(info)) {
        QFile file(fileName_);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            if (file.error() == QFileDevice::NoError)
                found = ProfileText::FromBytes(bytes).Value(section, key);
        }
    }
    QString result;
    if (found) {
        result = std::move(*found);
    } else {
        // The default loses its trailing blanks, as with the profile functions.
        qsizetype end = def.size();
        while (end > 0 && def[end - 1] == u' ') --end;
        result = def.left(end);
    }
    result.truncate(kReadBufferChars - 1);
    return result;
}

std::int32_t IniFile::ReadInteger(const QString& section, const QString& key,
                                  std::int32_t def) const {
    QString text = ReadString(section, key, QString());
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        text = u'$' + text.mid(2);
    return ParseProfileInteger(text).value_or(def);
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const auto fail = [this] {
        throw Exception(QStringLiteral("Unable to write to %1").arg(fileName_));
    };

    const QFileInfo info(fileName_);
    QByteArray old;
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile()) fail();  // a folder, a device, a pipe or a dangling link in the way
        // A file nobody may write is read-only, for root too: root could
        // replace it, but the read-only mark is the owner's word.
        // (WriteUser is left out: it says what this process may do.)
        const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup |
                              QFileDevice::WriteOther;
        if (!(info.permissions() & anyWrite)) fail();
        QFile file(fileName_);
        if (!file.open(QIODevice::ReadOnly)) fail();
        old = file.readAll();
        if (file.error() != QFileDevice::NoError) fail();
        file.close();
        // Opening for append changes nothing and proves the file itself
        // may be written, whatever the folder allows.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) fail();
    }

    ProfileText text = ProfileText::FromBytes(old);
    text.SetValue(OneLine(section), OneLine(key), OneLine(value));
    const QByteArray bytes = text.ToBytes();

    // The whole new content goes to a temporary file beside the old one,
    // which then takes its place; a folder that allows no new files gets
    // the content written straight into the file.
    QSaveFile save(fileName_);
    save.setDirectWriteFallback(true);
    if (!save.open(QIODevice::WriteOnly)) fail();
    if (save.write(bytes) != bytes.size() || !save.commit()) fail();
}

void IniFile::WriteInteger(const QString& section, const QString& key, std::int32_t value) {
    WriteString(section, key, QString::number(value));
}

}  // namespace velars
