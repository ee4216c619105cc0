// The INI reader and writer on any file: reading and writing back an
// untouched file gives its bytes; a write changes no byte outside the one
// line it replaces or the lines it adds, leaves every other entry as it
// read, and what it wrote reads back.

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>
#include <cstdlib>

#include "files/ProfileText.h"

#include "FuzzCheck.h"

namespace {

// A name as the program writes them: no line end, no '=', no brackets, no
// blanks around it, not empty.
QString Name(FuzzedDataProvider& input) {
    static const QString kAlphabet = QStringLiteral("nNaAmbMBer_1 .;кК");
    QString name;
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(1, 6);
    for (std::size_t i = 0; i < length; ++i)
        name += kAlphabet[input.ConsumeIntegralInRange<qsizetype>(0, kAlphabet.size() - 1)];
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("n") : name;
}

// The value as reading gives it: blanks around it and one pair of quotes gone.
QString AsRead(const QString& value) {
    qsizetype begin = 0;
    qsizetype end = value.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (begin < end && blank(value[begin])) ++begin;
    while (end > begin && blank(value[end - 1])) --end;
    QString text = value.mid(begin, end - begin);
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text;
}

bool HasLineEnd(const QByteArray& bytes) { return bytes.contains('\n') || bytes.contains('\r'); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const QString section = Name(input);
    const QString key = Name(input);
    const QString otherSection = Name(input);
    const QString otherKey = Name(input);
    QString value = QString::fromUtf8(input.ConsumeRandomLengthString(64));
    value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray before(rest.data(), static_cast<qsizetype>(rest.size()));

    const velars::ProfileText read = velars::ProfileText::FromBytes(before);
    FUZZ_CHECK(read.ToBytes() == before);

    velars::ProfileText written = read;
    written.SetValue(section, key, value);
    const QByteArray after = written.ToBytes();

    // Only one stretch of the file changed, and none of its old bytes was
    // a line end: no other line was touched.
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = before.mid(prefix, before.size() - prefix - suffix);
    // (In UTF-16 a line-end byte may be half of another character.)
    if (!before.startsWith("\xFF\xFE")) FUZZ_CHECK(!HasLineEnd(removed));

    const velars::ProfileText again = velars::ProfileText::FromBytes(after);
    FUZZ_CHECK(again.ToBytes() == after);
    const std::optional<QString> back = again.Value(section, key);
    FUZZ_CHECK(back.has_value() && *back == AsRead(value));
    const bool same = section.compare(otherSection, Qt::CaseInsensitive) == 0 &&
                      key.compare(otherKey, Qt::CaseInsensitive) == 0;
    if (!same)
        FUZZ_CHECK(again.Value(otherSection, otherKey) == read.Value(otherSection, otherKey));
    return 0;
}
