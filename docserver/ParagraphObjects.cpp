#include "docserver/ParagraphObjects.h"

#include <QTextDocument>
#include <cmath>

#include "automation/ArgumentConversion.h"
#include "automation/ServerErrors.h"
#include "docserver/AlignmentArgument.h"
#include "docserver/DocumentState.h"

namespace velars {
namespace {

constexpr std::int32_t kUndefined = 9999999;
constexpr std::int64_t kToggle = 9999998;
constexpr double kMinFontSize = 1;
constexpr double kMaxFontSize = 1638;

bool IsBold(const QTextCharFormat& format) { return format.fontWeight() > QFont::Medium; }

bool IsSuperscript(const QTextCharFormat& format) {
    return format.verticalAlignment() == QTextCharFormat::AlignSuperScript;
}

HRESULT PutTruthValue(const MemberCall& call, const Variant& value, const ParagraphRef& paragraph,
                      bool (*read)(const QTextCharFormat&), void (*write)(QTextCharFormat&, bool)) {
    const std::optional<std::int64_t> number = IntegerArgument(value);
    const std::optional<bool> flag = BoolArgument(value);
    if (!flag) return call.TypeMismatch(0);
    const QTextBlock block = paragraph.Block();
    bool on = *flag;
    if (number && *number == kToggle) {
        const auto current = UniformCharValue(
            block, [read](const QTextCharFormat& format) { return QVariant(read(format)); });
        on = !(current && current->toBool());
    }
    ChangeCharFormat(block, [write, on](QTextCharFormat& format) { write(format, on); });
    paragraph.MarkModified();
    return S_OK;
}

Variant TruthValue(const QTextBlock& block, bool (*read)(const QTextCharFormat&)) {
    const auto value = UniformCharValue(
        block, [read](const QTextCharFormat& format) { return QVariant(read(format)); });
    return value ? Variant::FromBool(value->toBool()) : Variant::FromI4(kUndefined);
}

}  // namespace

// --- Paragraphs ---------------------------------------------------------------

ParagraphsObject::ParagraphsObject(std::shared_ptr<DocumentState> document)
    : document_(std::move(document)) {
    AddMethod(QStringLiteral("Add"), 0, 0, [this](const MemberCall&, Variant& result) {
        QTextDocument* text = document_->Document();
        QTextCursor cursor(text);
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock();
        text->setModified(true);
        result = Variant::FromDispatch(
            std::make_shared<ParagraphObject>(ParagraphRef(document_, cursor.block())));
        return S_OK;
    });
    AddMethod(QStringLiteral("Item"), 1, 1, [this](const MemberCall& call, Variant& result) {
        const std::optional<std::int64_t> index = IntegerArgument(call.Arg(0));
        if (!index) return call.TypeMismatch(0);
        QTextDocument* text = document_->Document();
        if (*index < 1 || *index > text->blockCount()) return DISP_E_BADINDEX;
        const QTextBlock block = text->findBlockByNumber(int(*index - 1));
        result = Variant::FromDispatch(
            std::make_shared<ParagraphObject>(ParagraphRef(document_, block)));
        return S_OK;
    });
    AddProperty(QStringLiteral("Count"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromI4(document_->Document()->blockCount());
        return S_OK;
    });
}

HRESULT ParagraphsObject::CheckConnected() const {
    return document_->IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

// --- Paragraph ----------------------------------------------------------------

ParagraphObject::ParagraphObject(ParagraphRef paragraph) : paragraph_(std::move(paragraph)) {
    AddProperty(QStringLiteral("Range"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<RangeObject>(paragraph_));
        return S_OK;
    });
    AddProperty(
        QStringLiteral("Alignment"),
        [this](const MemberCall&, Variant& result) {
            result = Variant::FromI4(AlignmentCode(paragraph_.Block().blockFormat().alignment()));
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            Qt::Alignment alignment;
            if (const HRESULT hr = AlignmentArgument(call, value, alignment); FAILED(hr)) return hr;
            SetAlignment(paragraph_.Block(), alignment);
            paragraph_.MarkModified();
            return S_OK;
        });
}

HRESULT ParagraphObject::CheckConnected() const {
    return paragraph_.IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

// --- Range --------------------------------------------------------------------

RangeObject::RangeObject(ParagraphRef paragraph) : paragraph_(std::move(paragraph)) {
    AddProperty(
        QStringLiteral("Text"),
        [this](const MemberCall&, Variant& result) {
            result = Variant::FromBstr(ParagraphText(paragraph_.Block()));
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<QString> text = TextArgument(value);
            if (!text) return call.TypeMismatch(0);
            SetParagraphText(paragraph_.Block(), *text);
            paragraph_.MarkModified();
            return S_OK;
        });
    AddProperty(QStringLiteral("Font"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<FontObject>(paragraph_));
        return S_OK;
    });
}

HRESULT RangeObject::CheckConnected() const {
    return paragraph_.IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

// --- Font ---------------------------------------------------------------------

FontObject::FontObject(ParagraphRef paragraph) : paragraph_(std::move(paragraph)) {
    AddProperty(
        QStringLiteral("Size"),
        [this](const MemberCall&, Variant& result) {
            const QTextBlock block = paragraph_.Block();
            const auto size = UniformCharValue(block, [&block](const QTextCharFormat& format) {
                return QVariant(FontPointSize(format, block));
            });
            result = size ? Variant::FromR8(size->toDouble()) : Variant::FromI4(kUndefined);
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<double> size = NumberArgument(value);
            if (!size) return call.TypeMismatch(0);
            if (*size < kMinFontSize || *size > kMaxFontSize) return RaiseOutOfRange(call);
            // Sizes go in half points.
            const double points = std::round(*size * 2) / 2;
            ChangeCharFormat(paragraph_.Block(), [points](QTextCharFormat& format) {
                format.setFontPointSize(points);
            });
            paragraph_.MarkModified();
            return S_OK;
        });
    AddProperty(
        QStringLiteral("Bold"),
        [this](const MemberCall&, Variant& result) {
            result = TruthValue(paragraph_.Block(), IsBold);
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            return PutTruthValue(call, value, paragraph_, IsBold,
                                 [](QTextCharFormat& format, bool on) {
                                     format.setFontWeight(on ? QFont::Bold : QFont::Normal);
                                 });
        });
    AddProperty(
        QStringLiteral("Superscript"),
        [this](const MemberCall&, Variant& result) {
            result = TruthValue(paragraph_.Block(), IsSuperscript);
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            return PutTruthValue(
                call, value, paragraph_, IsSuperscript, [](QTextCharFormat& format, bool on) {
                    if (on)
                        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
                    else if (IsSuperscript(format))
                        format.setVerticalAlignment(QTextCharFormat::AlignNormal);
                });
        });
}

HRESULT FontObject::CheckConnected() const {
    return paragraph_.IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

}  // namespace velars
