#include "writer/WriterParagraphs.h"

#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/NoSuchElementException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <cmath>

#include "docserver/ArgumentConversion.h"
#include "docserver/ServerErrors.h"
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

// Paragraph `index` (1-based) of the body text; null past the end.
WriterParagraph NthParagraph(const Model& model, std::int64_t index) {
    const uno::Reference<css::container::XEnumerationAccess> paragraphs(TextOf(model),
                                                                       uno::UNO_QUERY_THROW);
    const uno::Reference<css::container::XEnumeration> each = paragraphs->createEnumeration();
    WriterParagraph paragraph;
    for (std::int64_t i = 0; i < index; ++i) {
        if (!each->hasMoreElements())
            return {};
        paragraph.set(each->nextElement(), uno::UNO_QUERY);
    }
    return paragraph;
}

sal_Int32 CountParagraphs(const Model& model) {
    const uno::Reference<css::container::XEnumerationAccess> paragraphs(TextOf(model),
                                                                       uno::UNO_QUERY_THROW);
    const uno::Reference<css::container::XEnumeration> each = paragraphs->createEnumeration();
    sal_Int32 count = 0;
    for (; each->hasMoreElements(); each->nextElement())
        ++count;
    return count;
}

Properties PropertiesOf(const WriterParagraph& paragraph) {
    return Properties(paragraph, uno::UNO_QUERY_THROW);
}

// Word's breaks inside a paragraph ("\r\n", "\r", "\n", "\v") as Writer's
// line break, so the paragraphs stay as they are.
OUString ParagraphString(QString text) {
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    for (const QChar breakChar : {QChar(u'\r'), QChar(u'\n'), QChar(u'\v'),
                                  QChar(QChar::ParagraphSeparator)})
        text.replace(breakChar, QChar::LineSeparator);
    return ToOUString(text);
}

}  // namespace

// --- Paragraphs ---------------------------------------------------------------

WriterParagraphsObject::WriterParagraphsObject(std::shared_ptr<OfficeSession> session,
                                               Model document)
    : WriterObject(std::move(session)) {
    AddMethod(QStringLiteral("Add"), 0, 0, [this, document](const MemberCall& call, Variant& result) {
        uno::Any value;
        const HRESULT hr = Office(
            call,
            [document] {
                const uno::Reference<css::text::XText> text = TextOf(document);
                text->insertControlCharacter(text->getEnd(),
                                             css::text::ControlCharacter::PARAGRAPH_BREAK, false);
                return uno::Any(NthParagraph(document, CountParagraphs(document)));
            },
            &value);
        if (FAILED(hr))
            return hr;
        result = Variant::FromDispatch(std::make_shared<WriterParagraphObject>(
            session_, WriterParagraph(value, uno::UNO_QUERY)));
        return S_OK;
    });
    AddMethod(QStringLiteral("Item"), 1, 1, [this, document](const MemberCall& call, Variant& result) {
        const std::optional<std::int64_t> index = IntegerArgument(call.Arg(0));
        if (!index)
            return call.TypeMismatch(0);
        if (*index < 1)
            return DISP_E_BADINDEX;
        const std::int64_t position = *index;
        uno::Any value;
        const HRESULT hr = Office(
            call, [document, position] { return uno::Any(NthParagraph(document, position)); },
            &value);
        if (FAILED(hr))
            return hr;
        const WriterParagraph paragraph(value, uno::UNO_QUERY);
        if (!paragraph.is())
            return DISP_E_BADINDEX;
        result = Variant::FromDispatch(std::make_shared<WriterParagraphObject>(session_, paragraph));
        return S_OK;
    });
    AddProperty(QStringLiteral("Count"), [this, document](const MemberCall& call, Variant& result) {
        uno::Any value;
        const HRESULT hr =
            Office(call, [document] { return uno::Any(CountParagraphs(document)); }, &value);
        if (SUCCEEDED(hr))
            result = Variant::FromI4(value.get<sal_Int32>());
        return hr;
    });
}

// --- Paragraph ----------------------------------------------------------------

WriterParagraphObject::WriterParagraphObject(std::shared_ptr<OfficeSession> session,
                                             WriterParagraph paragraph)
    : WriterObject(std::move(session)) {
    AddProperty(QStringLiteral("Range"), [this, paragraph](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterRangeObject>(session_, paragraph));
        return S_OK;
    });
    AddProperty(
        QStringLiteral("Alignment"),
        [this, paragraph](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = Office(
                call,
                [paragraph] {
                    return uno::Any(
                        CodeOfAdjust(PropertiesOf(paragraph)->getPropertyValue("ParaAdjust")));
                },
                &value);
            if (SUCCEEDED(hr))
                result = Variant::FromI4(value.get<sal_Int32>());
            return hr;
        },
        [this, paragraph](const MemberCall& call, const Variant& value) {
            const std::optional<std::int64_t> code = IntegerArgument(value);
            if (!code)
                return call.TypeMismatch(0);
            const auto adjust = AdjustOfCode(*code);
            if (!adjust)
                return RaiseOutOfRange(call);
            const auto adjustValue = sal_Int16(*adjust);
            return Office(call, [paragraph, adjustValue] {
                PropertiesOf(paragraph)->setPropertyValue("ParaAdjust", uno::Any(adjustValue));
                return uno::Any();
            });
        });
}

// --- Range --------------------------------------------------------------------

WriterRangeObject::WriterRangeObject(std::shared_ptr<OfficeSession> session,
                                     WriterParagraph paragraph)
    : WriterObject(std::move(session)) {
    AddProperty(
        QStringLiteral("Text"),
        [this, paragraph](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr =
                Office(call, [paragraph] { return uno::Any(paragraph->getString()); }, &value);
            if (SUCCEEDED(hr)) {
                QString text = FromOUString(value.get<OUString>());
                text.replace(QChar::LineSeparator, QLatin1Char('\v'));
                result = Variant::FromBstr(text);
            }
            return hr;
        },
        [this, paragraph](const MemberCall& call, const Variant& value) {
            const std::optional<QString> text = TextArgument(value);
            if (!text)
                return call.TypeMismatch(0);
            const OUString string = ParagraphString(*text);
            return Office(call, [paragraph, string] {
                paragraph->setString(string);
                return uno::Any();
            });
        });
    AddProperty(QStringLiteral("Font"), [this, paragraph](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterFontObject>(session_, paragraph));
        return S_OK;
    });
}

// --- Font ---------------------------------------------------------------------

WriterFontObject::WriterFontObject(std::shared_ptr<OfficeSession> session,
                                   WriterParagraph paragraph)
    : WriterObject(std::move(session)) {
    const auto read = [this, paragraph](const MemberCall& call, const char* name, uno::Any& value) {
        const OUString property = OUString::createFromAscii(name);
        return Office(
            call, [paragraph, property] { return PropertiesOf(paragraph)->getPropertyValue(property); },
            &value);
    };
    const auto write = [this, paragraph](const MemberCall& call,
                                         std::vector<std::pair<const char*, uno::Any>> values) {
        return Office(call, [paragraph, values] {
            const Properties properties = PropertiesOf(paragraph);
            for (const auto& [name, value] : values)
                properties->setPropertyValue(OUString::createFromAscii(name), value);
            return uno::Any();
        });
    };
    AddProperty(
        QStringLiteral("Size"),
        [read](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = read(call, "CharHeight", value);
            if (SUCCEEDED(hr))
                result = Variant::FromR8(value.get<float>());
            return hr;
        },
        [write](const MemberCall& call, const Variant& value) {
            const std::optional<double> size = NumberArgument(value);
            if (!size)
                return call.TypeMismatch(0);
            if (*size < kMinFontSize || *size > kMaxFontSize)
                return RaiseOutOfRange(call);
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
            if (!bold)
                return call.TypeMismatch(0);
            return write(call, {{"CharWeight", uno::Any(*bold ? kBold : kNormal)}});
        });
    AddProperty(
        QStringLiteral("Superscript"),
        [read](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = read(call, "CharEscapement", value);
            if (SUCCEEDED(hr))
                result = Variant::FromBool(value.get<sal_Int16>() > 0);
            return hr;
        },
        [write](const MemberCall& call, const Variant& value) {
            const std::optional<bool> superscript = BoolArgument(value);
            if (!superscript)
                return call.TypeMismatch(0);
            // Writer's usual superscript: raised by 33 %, 58 % high.
            return write(call, {{"CharEscapement", uno::Any(sal_Int16(*superscript ? 33 : 0))},
                                {"CharEscapementHeight",
                                 uno::Any(sal_Int8(*superscript ? 58 : 100))}});
        });
}

}  // namespace velars
