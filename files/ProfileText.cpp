#include "files/ProfileText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace velars {

namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView TrimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

// The section name of a header line, or nullopt for any other line.
std::optional<QStringView> SectionName(QStringView line) {
    const QStringView t = TrimBlanks(line);
    if (!t.startsWith(u'[')) return std::nullopt;
    const qsizetype close = t.lastIndexOf(u']');
    if (close < 1) return std::nullopt;
    return TrimBlanks(t.mid(1, close - 1));
}

bool SameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

ProfileText ProfileText::FromBytes(const QByteArray& bytes) {
    ProfileText profile;
    QByteArrayView body(bytes);
    int unit = 1;
    if (body.startsWith("\xFF\xFE")) {
        profile.encoding_ = Encoding::Utf16LE;
        profile.bom_ = QByteArray("\xFF\xFE", 2);
        unit = 2;
    } else if (body.startsWith("\xEF\xBB\xBF")) {
        profile.bom_ = QByteArray("\xEF\xBB\xBF", 3);
    }
    body = body.sliced(profile.bom_.size());

    // The code unit at byte offset i, in the file's encoding.
    const auto unitAt = [&](qsizetype i) -> char16_t {
        if (unit == 1) return static_cast<unsigned char>(body[i]);
        return static_cast<char16_t>(static_cast<unsigned char>(body[i]) |
                                     (static_cast<unsigned char>(body[i + 1]) << 8));
    };
    const auto decode = [&](QByteArrayView raw) {
        QStringDecoder decoder(unit == 1 ? QStringDecoder::Utf8 : QStringDecoder::Utf16LE);
        return QString(decoder.decode(raw));
    };

    // A UTF-16 file of an odd length ends in half a code unit: it belongs to
    // no line and stays at the very end, after anything a write appends.
    const qsizetype whole = body.size() - body.size() % unit;
    profile.strayTail_ = body.sliced(whole).toByteArray();
    body = body.first(whole);

    // CR LF, a lone LF and a lone CR each end a line.
    bool lineEndSeen = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < whole; i += unit) {
        const char16_t c = unitAt(i);
        if (c != u'\n' && c != u'\r') continue;
        qsizetype next = i + unit;
        if (c == u'\r' && next < whole && unitAt(next) == u'\n') next += unit;
        Line line;
        line.raw = body.sliced(start, i - start).toByteArray();
        line.rawEnd = body.sliced(i, next - i).toByteArray();
        line.text = decode(line.raw);
        if (!lineEndSeen) {
            lineEndSeen = true;
            profile.lineEnd_ = next - i == 2 * unit ? QStringLiteral("\r\n")
                               : c == u'\n'         ? QStringLiteral("\n")
                                                    : QStringLiteral("\r");
        }
        profile.lines_.push_back(std::move(line));
        start = next;
        i = next - unit;
    }
    if (start < whole) {
        Line last;
        last.raw = body.sliced(start).toByteArray();
        last.text = decode(last.raw);
        profile.lines_.push_back(std::move(last));
    }
    return profile;
}

std::optional<std::size_t> ProfileText::FindSection(QStringView section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::optional<QStringView> name = SectionName(lines_[i].text);
        if (name && SameName(*name, section)) return i;
    }
    return std::nullopt;
}

std::size_t ProfileText::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i].text)) ++i;
    return i;
}

std::optional<std::size_t> ProfileText::FindKey(std::size_t begin, std::size_t end,
                                                QStringView key) const {
    for (std::size_t i = begin; i < end; ++i) {
        const QStringView text = lines_[i].text;
        const qsizetype eq = text.indexOf(u'=');
        if (eq >= 0 && SameName(TrimBlanks(text.first(eq)), key)) return i;
    }
    return std::nullopt;
}

std::optional<QString> ProfileText::Value(QStringView section, QStringView key) const {
    const std::optional<std::size_t> header = FindSection(section);
    if (!header) return std::nullopt;
    const std::optional<std::size_t> entry = FindKey(*header + 1, SectionEnd(*header), key);
    if (!entry) return std::nullopt;
    const QStringView text = lines_[*entry].text;
    QStringView value = TrimBlanks(text.sliced(text.indexOf(u'=') + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

QByteArray ProfileText::Encode(const QString& text) const {
    QStringEncoder encoder(encoding_ == Encoding::Utf8 ? QStringEncoder::Utf8
                                                       : QStringEncoder::Utf16LE);
    return encoder.encode(text);
}

ProfileText::Line ProfileText::NewLine(const QString& text) const {
    Line line;
    line.text = text;
    line.rawEnd = Encode(lineEnd_);
    line.modified = true;
    return line;
}

void ProfileText::SetValue(const QString& section, const QString& key, const QString& value) {
    const std::optional<std::size_t> header = FindSection(section);
    if (header) {
        const std::size_t end = SectionEnd(*header);
        if (const std::optional<std::size_t> entry = FindKey(*header + 1, end, key)) {
            Line& line = lines_[*entry];
            const QStringView spelled =
                TrimBlanks(QStringView(line.text).first(line.text.indexOf(u'=')));
            line.text = spelled.toString() + u'=' + value;
            line.modified = true;
            return;
        }
        std::size_t at = end;
        while (at > *header + 1 && TrimBlanks(lines_[at - 1].text).isEmpty()) --at;
        if (lines_[at - 1].rawEnd.isEmpty()) lines_[at - 1].rawEnd = Encode(lineEnd_);
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                      NewLine(key + u'=' + value));
        return;
    }
    if (!lines_.empty() && lines_.back().rawEnd.isEmpty()) lines_.back().rawEnd = Encode(lineEnd_);
    lines_.push_back(NewLine(u'[' + section + u']'));
    lines_.push_back(NewLine(key + u'=' + value));
}

QByteArray ProfileText::ToBytes() const {
    QByteArray out = bom_;
    for (const Line& line : lines_) {
        out += line.modified ? Encode(line.text) : line.raw;
        out += line.rawEnd;
    }
    out += strayTail_;
    return out;
}

}  // namespace velars
