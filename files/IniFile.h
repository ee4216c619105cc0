#pragma once
// An INI file read and written with the semantics of the Windows
// private-profile functions: sections and keys case-insensitive, blanks
// around names and values ignored, everything else in the file kept as it
// is, the file created on the first write. The object holds only the name.

#include <QString>
#include <cstdint>

namespace velars {

class IniFile {
public:
    explicit IniFile(QString fileName) : fileName_(std::move(fileName)) {}
    const QString& FileName() const { return fileName_; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Hex after "0x"/"0X" (or "$", "x"), eight hex digits as a 32-bit
    // pattern, `def` for anything that does not convert in full.
    std::int32_t ReadInteger(const QString& section, const QString& key, std::int32_t def) const;

    // Throw Exception("Unable to write to <file>") when the file cannot be written.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, std::int32_t value);

private:
    QString fileName_;
};

}  // namespace velars
