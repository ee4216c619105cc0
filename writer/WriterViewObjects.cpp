#include "writer/WriterViewObjects.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/style/LineSpacingMode.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/view/DocumentZoomType.hpp>
#include <com/sun/star/view/XViewSettingsSupplier.hpp>
#include <cmath>

#include "automation/ArgumentConversion.h"
#include "automation/ServerErrors.h"
#include "writer/UnoDocument.h"
#include "writer/UnoText.h"

namespace velars {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;

namespace {

constexpr double kPointsPerLine = 12;
constexpr double kMaxLineSpacing = 1584;
constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 500;

uno::Reference<css::beans::XPropertySet> ViewSettings(const WriterModel& model) {
    const uno::Reference<css::view::XViewSettingsSupplier> supplier(ControllerOf(model),
                                                                    uno::UNO_QUERY_THROW);
    return supplier->getViewSettings();
}

// The view cursor: the insertion point, or the selection, of the document's view.
uno::Reference<css::beans::XPropertySet> ViewCursor(const WriterModel& model) {
    const uno::Reference<css::text::XTextViewCursorSupplier> supplier(ControllerOf(model),
                                                                      uno::UNO_QUERY_THROW);
    return uno::Reference<css::beans::XPropertySet>(supplier->getViewCursor(),
                                                    uno::UNO_QUERY_THROW);
}

}  // namespace

WriterWindowObject::WriterWindowObject(std::shared_ptr<WriterDocumentText> text)
    : WriterObject(text) {
    AddProperty(QStringLiteral("ActivePane"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterPaneObject>(owner_));
        return S_OK;
    });
    AddProperty(QStringLiteral("View"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterViewObject>(owner_));
        return S_OK;
    });
}

WriterPaneObject::WriterPaneObject(std::shared_ptr<WriterDocumentText> text) : WriterObject(text) {
    AddProperty(QStringLiteral("View"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterViewObject>(owner_));
        return S_OK;
    });
}

WriterViewObject::WriterViewObject(std::shared_ptr<WriterDocumentText> text) : WriterObject(text) {
    AddProperty(QStringLiteral("Zoom"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterZoomObject>(owner_));
        return S_OK;
    });
}

WriterZoomObject::WriterZoomObject(std::shared_ptr<WriterDocumentText> text) : WriterObject(text) {
    const WriterModel document = text->model;
    AddProperty(
        QStringLiteral("Percentage"),
        [this, document](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = Office(
                call,
                [document] {
                    return uno::Any(sal_Int32(
                        ViewSettings(document)->getPropertyValue("ZoomValue").get<sal_Int16>()));
                },
                &value);
            if (SUCCEEDED(hr)) result = Variant::FromI4(value.get<sal_Int32>());
            return hr;
        },
        [this, document](const MemberCall& call, const Variant& value) {
            const std::optional<std::int64_t> percent = IntegerArgument(value);
            if (!percent) return call.TypeMismatch(0);
            if (*percent < kMinZoom || *percent > kMaxZoom) return RaiseOutOfRange(call);
            const auto zoom = sal_Int16(*percent);
            return Office(call, [document, zoom] {
                const auto settings = ViewSettings(document);
                settings->setPropertyValue("ZoomType",
                                           uno::Any(css::view::DocumentZoomType::BY_VALUE));
                settings->setPropertyValue("ZoomValue", uno::Any(zoom));
                return uno::Any();
            });
        });
}

WriterSelectionObject::WriterSelectionObject(std::shared_ptr<WriterDocumentText> text)
    : WriterObject(text) {
    AddProperty(QStringLiteral("ParagraphFormat"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterParagraphFormatObject>(owner_));
        return S_OK;
    });
}

WriterParagraphFormatObject::WriterParagraphFormatObject(std::shared_ptr<WriterDocumentText> text)
    : WriterObject(text) {
    const WriterModel document = text->model;
    AddProperty(
        QStringLiteral("LineSpacing"),
        [this, document](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = Office(
                call,
                [document] {
                    const auto spacing = ViewCursor(document)
                                             ->getPropertyValue("ParaLineSpacing")
                                             .get<css::style::LineSpacing>();
                    double points = kPointsPerLine;
                    if (spacing.Mode == css::style::LineSpacingMode::PROP)
                        // Whole percents: read back to the quarter point that was set.
                        points = std::round(spacing.Height * kPointsPerLine / 100 * 4) / 4;
                    else
                        points = spacing.Height * 72.0 / 2540;  // 1/100 mm
                    return uno::Any(points);
                },
                &value);
            if (SUCCEEDED(hr)) result = Variant::FromR8(value.get<double>());
            return hr;
        },
        [this, document](const MemberCall& call, const Variant& value) {
            const std::optional<double> points = NumberArgument(value);
            if (!points) return call.TypeMismatch(0);
            if (*points <= 0 || *points > kMaxLineSpacing) return RaiseOutOfRange(call);
            css::style::LineSpacing spacing;
            spacing.Mode = css::style::LineSpacingMode::PROP;
            spacing.Height = sal_Int16(std::lround(*points * 100 / kPointsPerLine));
            return Office(call, [document, spacing] {
                ViewCursor(document)->setPropertyValue("ParaLineSpacing", uno::Any(spacing));
                return uno::Any();
            });
        });
    AddAlignment([document] { return ViewCursor(document); });
}

}  // namespace velars
