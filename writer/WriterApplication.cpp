#include "writer/WriterApplication.h"

#include <com/sun/star/awt/PosSize.hpp>
#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTitle.hpp>

#include "automation/ArgumentConversion.h"
#include "automation/ServerErrors.h"
#include "writer/UnoDocument.h"
#include "writer/UnoText.h"
#include "writer/WriterParagraphs.h"
#include "writer/WriterViewObjects.h"

namespace velars {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;
using Model = uno::Reference<css::frame::XModel>;

namespace {

// Puts the placement asked for so far on a document's window: each edge
// given moves or sizes it, the others stay.
void Place(const Model& model, const std::optional<int> (&edges)[4]) {
    const uno::Reference<css::awt::XWindow> window = WindowOf(model);
    css::awt::Rectangle box = window->getPosSize();
    if (edges[WriterApplicationState::kLeft]) box.X = *edges[WriterApplicationState::kLeft];
    if (edges[WriterApplicationState::kTop]) box.Y = *edges[WriterApplicationState::kTop];
    if (edges[WriterApplicationState::kWidth]) box.Width = *edges[WriterApplicationState::kWidth];
    if (edges[WriterApplicationState::kHeight])
        box.Height = *edges[WriterApplicationState::kHeight];
    window->setPosSize(box.X, box.Y, box.Width, box.Height, css::awt::PosSize::POSSIZE);
}

void ApplyWindowState(const Model& model, int state) {
    const uno::Reference<css::awt::XTopWindow2> window(WindowOf(model), uno::UNO_QUERY_THROW);
    window->setIsMinimized(state == 2);
    window->setIsMaximized(state == 1);
}

int ReadEdge(const Model& model, int edge) {
    const css::awt::Rectangle box = WindowOf(model)->getPosSize();
    const int values[4] = {box.X, box.Y, box.Width, box.Height};
    return values[edge];
}

std::vector<Model> Models(const std::vector<std::shared_ptr<WriterDocumentText>>& documents) {
    std::vector<Model> models;
    for (const auto& document : documents) models.push_back(document->model);
    return models;
}

// The documents of the application that are still open.
std::vector<Model> OpenDocuments(const std::vector<Model>& documents) {
    std::vector<Model> open;
    for (const Model& model : documents) {
        try {
            if (model->getCurrentController().is()) open.push_back(model);
        } catch (const css::lang::DisposedException&) {
        }
    }
    return open;
}

}  // namespace

// --- Application --------------------------------------------------------------

WriterApplicationObject::WriterApplicationObject(std::shared_ptr<OfficeSession> session)
    : WriterObject(session), state_(std::make_shared<WriterApplicationState>(session)) {
    AddProperty(
        QStringLiteral("Visible"),
        [this](const MemberCall&, Variant& result) {
            result = Variant::FromBool(state_->visible);
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<bool> visible = BoolArgument(value);
            if (!visible) return call.TypeMismatch(0);
            state_->visible = *visible;
            const std::vector<Model> documents = Models(state_->documents);
            const bool show = *visible;
            return Office(call, [documents, show] {
                for (const Model& model : OpenDocuments(documents))
                    WindowOf(model)->setVisible(show);
                return uno::Any();
            });
        });
    AddProperty(QStringLiteral("Documents"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterDocumentsObject>(state_));
        return S_OK;
    });
    AddProperty(QStringLiteral("ActiveWindow"), [this](const MemberCall& call, Variant& result) {
        if (!state_->active) return RaiseNoDocument(call);
        result = Variant::FromDispatch(
            std::make_shared<WriterWindowObject>(session_, state_->active->model));
        return S_OK;
    });
    AddProperty(QStringLiteral("Selection"), [this](const MemberCall& call, Variant& result) {
        if (!state_->active) return RaiseNoDocument(call);
        result = Variant::FromDispatch(
            std::make_shared<WriterSelectionObject>(session_, state_->active->model));
        return S_OK;
    });
    AddProperty(
        QStringLiteral("WindowState"),
        [this](const MemberCall& call, Variant& result) {
            if (!state_->active) {
                result = Variant::FromI4(state_->windowState);
                return S_OK;
            }
            const Model model = state_->active->model;
            uno::Any value;
            const HRESULT hr = Office(
                call,
                [model] {
                    const uno::Reference<css::awt::XTopWindow2> window(WindowOf(model),
                                                                       uno::UNO_QUERY_THROW);
                    return uno::Any(sal_Int32(window->getIsMaximized()   ? 1
                                              : window->getIsMinimized() ? 2
                                                                         : 0));
                },
                &value);
            if (SUCCEEDED(hr)) result = Variant::FromI4(value.get<sal_Int32>());
            return hr;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<std::int64_t> code = IntegerArgument(value);
            if (!code) return call.TypeMismatch(0);
            if (*code < 0 || *code > 2) return RaiseOutOfRange(call);
            state_->windowState = int(*code);
            if (!state_->active) return S_OK;
            const Model model = state_->active->model;
            const int windowState = state_->windowState;
            return Office(call, [model, windowState] {
                ApplyWindowState(model, windowState);
                return uno::Any();
            });
        });
    for (const auto& entry :
         {std::pair{QStringLiteral("Left"), WriterApplicationState::kLeft},
          std::pair{QStringLiteral("Top"), WriterApplicationState::kTop},
          std::pair{QStringLiteral("Width"), WriterApplicationState::kWidth},
          std::pair{QStringLiteral("Height"), WriterApplicationState::kHeight}}) {
        // Named copies: lambdas may not capture structured bindings everywhere.
        const QString& name = entry.first;
        const WriterApplicationState::Edge edge = entry.second;
        AddProperty(
            name,
            [this, edge](const MemberCall& call, Variant& result) {
                if (!state_->active) {
                    result = Variant::FromI4(state_->edges[edge].value_or(0));
                    return S_OK;
                }
                const Model model = state_->active->model;
                const int which = edge;
                uno::Any value;
                const HRESULT hr = Office(
                    call, [model, which] { return uno::Any(sal_Int32(ReadEdge(model, which))); },
                    &value);
                if (SUCCEEDED(hr)) result = Variant::FromI4(value.get<sal_Int32>());
                return hr;
            },
            [this, edge](const MemberCall& call, const Variant& value) {
                const std::optional<std::int64_t> pixels = IntegerArgument(value);
                if (!pixels) return call.TypeMismatch(0);
                state_->edges[edge] = int(*pixels);
                if (!state_->active) return S_OK;
                const Model model = state_->active->model;
                std::optional<int> only[4];
                only[edge] = int(*pixels);
                return Office(call, [model, only] {
                    Place(model, only);
                    return uno::Any();
                });
            });
    }
}

// --- Documents ----------------------------------------------------------------

WriterDocumentsObject::WriterDocumentsObject(std::shared_ptr<WriterApplicationState> application)
    : WriterObject(application->session), application_(std::move(application)) {
    AddMethod(QStringLiteral("Add"), 0, 0, [this](const MemberCall& call, Variant& result) {
        const std::shared_ptr<OfficeSession> session = session_;
        const bool hidden = !application_->visible;
        const bool placed = application_->edges[0] || application_->edges[1] ||
                            application_->edges[2] || application_->edges[3];
        std::optional<int> edges[4];
        std::copy(std::begin(application_->edges), std::end(application_->edges), edges);
        const int windowState = application_->windowState;
        uno::Any value;
        const HRESULT hr = Office(
            call,
            [session, hidden, placed, edges, windowState] {
                css::beans::PropertyValue hide;
                hide.Name = OUString("Hidden");
                hide.Value <<= hidden;
                const uno::Reference<css::lang::XComponent> component =
                    session->Desktop()->loadComponentFromURL(
                        OUString("private:factory/swriter"), OUString("_blank"), 0,
                        uno::Sequence<css::beans::PropertyValue>(&hide, 1));
                const Model model(component, uno::UNO_QUERY_THROW);
                if (windowState != 0) ApplyWindowState(model, windowState);
                if (placed) Place(model, edges);
                return uno::Any(model);
            },
            &value);
        if (FAILED(hr)) return hr;
        const auto document = std::make_shared<WriterDocumentText>(Model(value, uno::UNO_QUERY));
        application_->documents.push_back(document);
        application_->active = document;
        result =
            Variant::FromDispatch(std::make_shared<WriterDocumentObject>(application_, document));
        return S_OK;
    });
    AddProperty(QStringLiteral("Count"), [this](const MemberCall& call, Variant& result) {
        const std::vector<Model> documents = Models(application_->documents);
        uno::Any value;
        const HRESULT hr = Office(
            call, [documents] { return uno::Any(sal_Int32(OpenDocuments(documents).size())); },
            &value);
        if (SUCCEEDED(hr)) result = Variant::FromI4(value.get<sal_Int32>());
        return hr;
    });
    // By position from 1, or by the document's name (its window title).
    AddMethod(QStringLiteral("Item"), 1, 1, [this](const MemberCall& call, Variant& result) {
        const std::optional<std::int64_t> index = IntegerArgument(call.Arg(0));
        const std::optional<QString> name = index ? std::nullopt : TextArgument(call.Arg(0));
        if (!index && !name) return call.TypeMismatch(0);
        const std::vector<Model> documents = Models(application_->documents);
        auto open = std::make_shared<std::vector<Model>>();
        auto titles = std::make_shared<std::vector<QString>>();
        const HRESULT hr = Office(call, [documents, open, titles] {
            *open = OpenDocuments(documents);
            for (const Model& model : *open) {
                const uno::Reference<css::frame::XTitle> title(model, uno::UNO_QUERY);
                titles->push_back(title.is() ? FromOUString(title->getTitle()) : QString());
            }
            return uno::Any();
        });
        if (FAILED(hr)) return hr;
        std::int64_t position = index.value_or(0);
        for (std::size_t i = 0; name && i < titles->size(); ++i)
            if ((*titles)[i].compare(*name, Qt::CaseInsensitive) == 0)
                position = std::int64_t(i) + 1;
        if (position < 1 || position > std::int64_t(open->size())) return DISP_E_BADINDEX;
        const Model wanted = (*open)[std::size_t(position - 1)];
        for (const auto& document : application_->documents) {
            if (document->model == wanted) {
                result = Variant::FromDispatch(
                    std::make_shared<WriterDocumentObject>(application_, document));
                break;
            }
        }
        return S_OK;
    });
}

// --- Document -----------------------------------------------------------------

WriterDocumentObject::WriterDocumentObject(std::shared_ptr<WriterApplicationState> application,
                                           std::shared_ptr<WriterDocumentText> document)
    : WriterObject(application->session),
      application_(std::move(application)),
      document_(std::move(document)) {
    owner_ = document_->model;
    AddMethod(QStringLiteral("Activate"), 0, 0, [this](const MemberCall& call, Variant&) {
        const Model model = document_->model;
        const HRESULT hr = Office(call, [model] {
            const auto frame = ControllerOf(model)->getFrame();
            frame->activate();
            const uno::Reference<css::awt::XWindow2> window(frame->getContainerWindow(),
                                                            uno::UNO_QUERY);
            const uno::Reference<css::awt::XTopWindow> top(window, uno::UNO_QUERY);
            if (window.is() && top.is() && window->isVisible()) top->toFront();
            return uno::Any();
        });
        if (SUCCEEDED(hr)) application_->active = document_;
        return hr;
    });
    AddProperty(QStringLiteral("Paragraphs"), [this](const MemberCall&, Variant& result) {
        result =
            Variant::FromDispatch(std::make_shared<WriterParagraphsObject>(session_, document_));
        return S_OK;
    });
}

}  // namespace velars
