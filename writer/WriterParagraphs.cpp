#include "writer/WriterParagraphs.h"

#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/NoSuchElementException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <cmath>

#include "automation/ArgumentConversion.h"
#include "automation/ServerErrors.h"
#include "writer/UnoDocument.h"
#include "writer/UnoText.h"

namespace velars {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;
using Model = uno::Reference<css::frame::XModel>;
using Properties = uno::Reference<css::beans::XPropertySet>;

namespace {

constexpr double kMinFontSize = 1;
constexpr double kMaxFontSize = 1638;
const float kBold = css::awt::FontWeight::BOLD;
const float kNormal = css::awt::FontWeight::NORMAL;

uno::Reference<css::text::XText> TextOf(const Model& model) {
    const uno::Reference<css::text::XTextDocument> document(model, uno::UNO_QUERY_THROW);
    return document->getText();
}

WriterParagraph ParagraphOf(const uno::Any& element) {
    WriterParagraph paragraph;
    paragraph.range.set(element, uno::UNO_QUERY_THROW);
    paragraph.properties.set(element, uno::UNO_QUERY_THROW);
    return paragraph;
}

// The paragraph that holds the start of `range`.
WriterParagraph ParagraphAt(const uno::Reference<css::text::XTextRange>& range) {
    const uno::Reference<css::container::XEnumerationAccess> touched(range, uno::UNO_QUERY_THROW);
    return ParagraphOf(touched->createEnumeration()->nextElement());
}

std::vector<WriterParagraph> AllParagraphs(const Model& model) {
    const uno::Reference<css::container::XEnumerationAccess> paragraphs(TextOf(model),
                                                                        uno::UNO_QUERY_THROW);
    const uno::Reference<css::container::XEnumeration> each = paragraphs->createEnumeration();
    std::vector<WriterParagraph> all;
    while (each->hasMoreElements()) all.push_back(ParagraphOf(each->nextElement()));
    return all;
}

// Word's breaks inside a paragraph ("\r\n", "\r", "\n", "\v") as Writer's
// line break, so the paragraphs stay as they are.
OUString ParagraphString(QString text) {
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    for (const QChar breakChar :
         {QChar(u'\r'), QChar(u'\n'), QChar(u'\v'), QChar(QChar::ParagraphSeparator)})
        text.replace(breakChar, QChar::LineSeparator);
    return ToOUString(text);
}

}  // namespace

// --- Paragraphs ---------------------------------------------------------------

WriterParagraphsObject::WriterParagraphsObject(std::shared_ptr<WriterDocumentText> document)
    : WriterObject(document), document_(std::move(document)) {
    AddMethod(QStringLiteral("Add"), 0, 0, [this](const MemberCall& call, Variant& result) {
        if (const HRESULT hr = Load(call); FAILED(hr)) return hr;
        const uno::Reference<css::text::XText> text = document_->text;
        const uno::Reference<css::text::XParagraphCursor> end = document_->end;
        const uno::Reference<css::text::XTextRange> endRange = document_->endRange;
        // A paragraph break at the end, as the user's Enter: the new paragraph
        // takes the last one's formatting. It splits the last paragraph, so
        // the last two are read again.
        auto lastTwo = std::make_shared<std::vector<WriterParagraph>>();
        const HRESULT hr = Office(call, [text, end, endRange, lastTwo] {
            end->gotoEnd(false);
            text->insertControlCharacter(endRange, css::text::ControlCharacter::PARAGRAPH_BREAK,
                                         false);
            end->gotoEnd(false);
            const WriterParagraph last = ParagraphAt(endRange);
            end->gotoPreviousParagraph(false);
            lastTwo->push_back(ParagraphAt(endRange));
            lastTwo->push_back(last);
            return uno::Any();
        });
        if (FAILED(hr)) {
            document_->paragraphs.reset();
            return hr;
        }
        std::vector<WriterParagraph>& paragraphs = *document_->paragraphs;
        paragraphs.back() = lastTwo->front();
        paragraphs.push_back(lastTwo->back());
        result = Variant::FromDispatch(
            std::make_shared<WriterParagraphObject>(document_, paragraphs.back()));
        return S_OK;
    });
    AddMethod(QStringLiteral("Item"), 1, 1, [this](const MemberCall& call, Variant& result) {
        const std::optional<std::int64_t> index = IntegerArgument(call.Arg(0));
        if (!index) return call.TypeMismatch(0);
        if (const HRESULT hr = Load(call); FAILED(hr)) return hr;
        const std::vector<WriterParagraph>& paragraphs = *document_->paragraphs;
        if (*index < 1 || *index > std::int64_t(paragraphs.size())) return DISP_E_BADINDEX;
        result = Variant::FromDispatch(std::make_shared<WriterParagraphObject>(
            document_, paragraphs[std::size_t(*index - 1)]));
        return S_OK;
    });
    AddProperty(QStringLiteral("Count"), [this](const MemberCall& call, Variant& result) {
        // Read afresh: the user may have edited the document since.
        document_->paragraphs.reset();
        if (const HRESULT hr = Load(call); FAILED(hr)) return hr;
        result = Variant::FromI4(std::int32_t(document_->paragraphs->size()));
        return S_OK;
    });
}

HRESULT WriterParagraphsObject::Load(const MemberCall& call) {
    if (document_->paragraphs) return S_OK;
    const Model model = document_->model;
    auto all = std::make_shared<std::vector<WriterParagraph>>();
    auto text = std::make_shared<uno::Reference<css::text::XText>>();
    auto end = std::make_shared<uno::Reference<css::text::XParagraphCursor>>();
    auto endRange = std::make_shared<uno::Reference<css::text::XTextRange>>();
    const HRESULT hr = Office(call, [model, all, text, end, endRange] {
        *text = TextOf(model);
        end->set((*text)->createTextCursorByRange((*text)->getEnd()), uno::UNO_QUERY_THROW);
        endRange->set(*end, uno::UNO_QUERY_THROW);
        *all = AllParagraphs(model);
        return uno::Any();
    });
    if (SUCCEEDED(hr)) {
        document_->text = *text;
        document_->end = *end;
        document_->endRange = *endRange;
        document_->paragraphs = std::move(*all);
    }
    return hr;
}

// --- Paragraph ----------------------------------------------------------------

WriterParagraphObject::WriterParagraphObject(std::shared_ptr<WriterDocumentText> document,
                                             WriterParagraph paragraph)
    : WriterObject(std::move(document)) {
    AddProperty(QStringLiteral("Range"), [this, paragraph](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterRangeObject>(owner_, paragraph));
        return S_OK;
    });
    AddAlignment([paragraph] { return paragraph.properties; });
}

// --- Range --------------------------------------------------------------------

WriterRangeObject::WriterRangeObject(std::shared_ptr<WriterDocumentText> document,
                                     WriterParagraph paragraph)
    : WriterObject(std::move(document)) {
    AddProperty(
        QStringLiteral("Text"),
        [this, paragraph](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = Office(
                call, [paragraph] { return uno::Any(paragraph.range->getString()); }, &value);
            if (SUCCEEDED(hr)) {
                QString text = FromOUString(value.get<OUString>());
                text.replace(QChar::LineSeparator, QLatin1Char('\v'));
                result = Variant::FromBstr(text);
            }
            return hr;
        },
        [this, paragraph](const MemberCall& call, const Variant& value) {
            const std::optional<QString> text = TextArgument(value);
            if (!text) return call.TypeMismatch(0);
            const OUString string = ParagraphString(*text);
            return Office(call, [paragraph, string] {
                paragraph.range->setString(string);
                return uno::Any();
            });
        });
    AddProperty(QStringLiteral("Font"), [this, paragraph](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterFontObject>(owner_, paragraph));
        return S_OK;
    });
}

// --- Font ---------------------------------------------------------------------

WriterFontObject::WriterFontObject(std::shared_ptr<WriterDocumentText> document,
                                   WriterParagraph paragraph)
    : WriterObject(std::move(document)) {
    const auto read = [this, paragraph](const MemberCall& call, const char* name, uno::Any& value) {
        const OUString property = OUString::createFromAscii(name);
        return Office(
            call,
            [paragraph, property] { return paragraph.properties->getPropertyValue(property); },
            &value);
    };
    const auto write = [this, paragraph](const MemberCall& call,
                                         std::vector<std::pair<const char*, uno::Any>> values) {
        uno::Sequence<OUString> names(sal_Int32(values.size()));
        uno::Sequence<uno::Any> anys(sal_Int32(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            names.getArray()[i] = OUString::createFromAscii(values[i].first);
            anys.getArray()[i] = values[i].second;
        }
        return Office(call, [paragraph, names, anys] {
            for (sal_Int32 i = 0; i < names.getLength(); ++i)
                paragraph.properties->setPropertyValue(names[i], anys[i]);
            return uno::Any();
        });
    };
    AddProperty(
        QStringLiteral("Size"),
        [read](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = read(call, "CharHeight", value);
            if (SUCCEEDED(hr)) result = Variant::FromR8(value.get<float>());
            return hr;
        },
        [write](const MemberCall& call, const Variant& value) {
            const std::optional<double> size = NumberArgument(value);
            if (!size) return call.TypeMismatch(0);
            if (*size < kMinFontSize || *size > kMaxFontSize) return RaiseOutOfRange(call);
            // Sizes go in half points.
            const float points = float(std::round(*size * 2) / 2);
            return write(call, {{"CharHeight", uno::Any(points)}});
        });
    AddProperty(
        QStringLiteral("Bold"),
        [read](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = read(call, "CharWeight", value);
            if (SUCCEEDED(hr))
                result = Variant::FromBool(value.get<float>() > css::awt::FontWeight::SEMIBOLD - 1);
            return hr;
        },
        [write](const MemberCall& call, const Variant& value) {
            const std::optional<bool> bold = BoolArgument(value);
            if (!bold) return call.TypeMismatch(0);
            return write(call, {{"CharWeight", uno::Any(*bold ? kBold : kNormal)}});
        });
    AddProperty(
        QStringLiteral("Superscript"),
        [read](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = read(call, "CharEscapement", value);
            if (SUCCEEDED(hr)) result = Variant::FromBool(value.get<sal_Int16>() > 0);
            return hr;
        },
        [write](const MemberCall& call, const Variant& value) {
            const std::optional<bool> superscript = BoolArgument(value);
            if (!superscript) return call.TypeMismatch(0);
            // Writer's usual superscript: raised by 33 %, 58 % high.
            return write(call,
                         {{"CharEscapement", uno::Any(sal_Int16(*superscript ? 33 : 0))},
                          {"CharEscapementHeight", uno::Any(sal_Int8(*superscript ? 58 : 100))}});
        });
}

}  // namespace velars
