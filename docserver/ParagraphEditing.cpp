#include "docserver/ParagraphEditing.h"

#include <QTextDocument>

#include "docserver/DocumentState.h"

namespace velars {
namespace {

constexpr double kPointsPerLine = 12;

QTextCursor SelectText(const QTextBlock& block) {
    QTextCursor cursor(block);
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    return cursor;
}

}  // namespace

ParagraphRef::ParagraphRef(std::shared_ptr<DocumentState> document, const QTextBlock& block)
    : document_(std::move(document)), anchor_(block) {
    anchor_.setKeepPositionOnInsert(true);
}

bool ParagraphRef::IsOpen() const { return document_->IsOpen() && !anchor_.isNull(); }

void ParagraphRef::MarkModified() const { document_->Document()->setModified(true); }

QString ParagraphText(const QTextBlock& block) {
    QString text = block.text();
    text.replace(QChar::LineSeparator, QLatin1Char('\v'));
    return text;
}

void SetParagraphText(const QTextBlock& block, const QString& text) {
    QString inside = text;
    inside.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    for (const QChar breakChar :
         {QChar(u'\r'), QChar(u'\n'), QChar(u'\v'), QChar(QChar::ParagraphSeparator)})
        inside.replace(breakChar, QChar::LineSeparator);

    QTextCharFormat format = block.charFormat();
    if (block.begin() != block.end()) format = block.begin().fragment().charFormat();
    QTextCursor cursor = SelectText(block);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    if (!inside.isEmpty()) cursor.insertText(inside, format);
    cursor.endEditBlock();
}

void ChangeCharFormat(const QTextBlock& block,
                      const std::function<void(QTextCharFormat&)>& change) {
    QTextCursor cursor(block);
    cursor.beginEditBlock();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        QTextCharFormat format = fragment.charFormat();
        change(format);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    QTextCharFormat mark = block.charFormat();
    change(mark);
    cursor.setPosition(block.position());
    cursor.setBlockCharFormat(mark);
    cursor.endEditBlock();
}

std::optional<QVariant> UniformCharValue(
    const QTextBlock& block, const std::function<QVariant(const QTextCharFormat&)>& value) {
    if (block.begin() == block.end()) return value(block.charFormat());
    std::optional<QVariant> common;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QVariant one = value(it.fragment().charFormat());
        if (common && *common != one) return std::nullopt;
        common = one;
    }
    return common;
}

double FontPointSize(const QTextCharFormat& format, const QTextBlock& block) {
    if (format.hasProperty(QTextFormat::FontPointSize)) return format.fontPointSize();
    return block.document()->defaultFont().pointSizeF();
}

int AlignmentCode(Qt::Alignment alignment) {
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter) return 1;
    if (horizontal & (Qt::AlignRight | Qt::AlignTrailing)) return 2;
    if (horizontal & Qt::AlignJustify) return 3;
    return 0;
}

std::optional<Qt::Alignment> AlignmentOfCode(std::int64_t code) {
    switch (code) {
    case 0: return Qt::AlignLeft;
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    case 3: return Qt::AlignJustify;
    default: return std::nullopt;
    }
}

void SetAlignment(const QTextBlock& block, Qt::Alignment alignment) {
    QTextBlockFormat format;
    format.setAlignment(alignment);
    QTextCursor(block).mergeBlockFormat(format);
}

double LineSpacingPoints(const QTextBlockFormat& format) {
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight: return format.lineHeight() * kPointsPerLine / 100;
    case QTextBlockFormat::FixedHeight:
    case QTextBlockFormat::MinimumHeight:
        // Layout pixels at 96 per inch.
        return format.lineHeight() * 72 / 96;
    default: return kPointsPerLine;
    }
}

void SetLineSpacing(const QTextBlock& block, double points) {
    QTextBlockFormat format;
    format.setLineHeight(points * 100 / kPointsPerLine, QTextBlockFormat::ProportionalHeight);
    QTextCursor(block).mergeBlockFormat(format);
}

}  // namespace velars
