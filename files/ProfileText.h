#pragma once
// The lines of a private-profile (INI) file, kept with their original bytes so
// that everything a write does not touch goes back to disk unchanged.
//
// Layout as the Windows profile functions see it: a line whose first
// non-blank character is '[' and which holds a ']' starts a section named by
// the text between the '[' and the last ']'; inside a section a line with an
// '=' is an entry, its key the text before the first '=' and its value the
// text after it. Names compare without regard to case, blanks (spaces and
// tabs) around names and values do not count, and only the first section and
// the first key of a name are seen. Everything else (comments, blank lines,
// lines before the first section) is kept and ignored.
//
// CR LF, LF and a lone CR each end a line.
//
// Encodings: UTF-8 (with or without a byte order mark) and UTF-16 LE with
// its byte order mark; a rewritten file keeps its encoding and its line ends.
// A file without line ends gets CRLF, as on Windows. The odd last byte of a
// UTF-16 file is part of no line and is kept at the end of the file.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace velars {

class ProfileText {
public:
    // An empty file.
    ProfileText() = default;
    static ProfileText FromBytes(const QByteArray& bytes);

    // The value of the entry, blanks and one pair of enclosing quotes ("" or
    // '') removed; nullopt when the section or the key is missing.
    std::optional<QString> Value(QStringView section, QStringView key) const;

    // Replaces the value of the entry in place, keeping the key as it is
    // spelled in the file; or adds "key=value" after the last non-blank line
    // of the section; or appends "[section]" and the entry at the end.
    void SetValue(const QString& section, const QString& key, const QString& value);

    QByteArray ToBytes() const;

private:
    enum class Encoding { Utf8, Utf16LE };

    struct Line {
        QString text;       // the line without its line end
        QByteArray raw;     // its original bytes, unless modified
        QByteArray rawEnd;  // its line end in the file's encoding; empty for the last line
        bool modified = false;
    };

    QByteArray Encode(const QString& text) const;
    Line NewLine(const QString& text) const;
    // Index of the header line of the first section of that name.
    std::optional<std::size_t> FindSection(QStringView section) const;
    // One past the last line of the section whose header is at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    // Index of the first entry of `key` within the lines [begin, end).
    std::optional<std::size_t> FindKey(std::size_t begin, std::size_t end, QStringView key) const;

    Encoding encoding_ = Encoding::Utf8;
    QByteArray bom_;
    QByteArray strayTail_;  // half a code unit at the end of a UTF-16 file
    QString lineEnd_ = QStringLiteral("\r\n");
    std::vector<Line> lines_;
};

}  // namespace velars
