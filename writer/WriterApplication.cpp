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

WriterApplicationObject::WriterApplicationObject(std::shared_ptr<OfficeSession> session,
                                                 std::shared_ptr<HeldDocuments> hold)
    : WriterObject(session),
      state_(std::make_shared<WriterApplicationState>(session, std::move(hold))) {
    AddProperty(
        QStringLiteral("Visible"),
        [this](const MemberCall&, Variant& result) {
            result = Variant::FromBool(state_->wish->Get().visible);
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<bool> visible = BoolArgument(value);
            if (!visible) return call.TypeMismatch(0);
            state_->wish->SetVisible(*visible);
            const std::vector<Model> documents = Models(state_->documents);
            const std::shared_ptr<HeldDocuments> hold = state_->hold;
            const bool show = *visible;
            return Office(call, [documents, hold, show] {
                // A document still being written is shown when its report ends.
                for (const Model& model : OpenDocuments(documents))
                    if (!hold->Hidden(model)) WindowOf(model)->setVisible(show);
                return uno::Any();
            });
        });
    AddProperty(QStringLiteral("Documents"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<WriterDocumentsObject>(state_));
        return S_OK;
    });
    AddProperty(QStringLiteral("ActiveWindow"), [this](const MemberCall& call, Variant& result) {
        if (!state_->active) return RaiseNoDocument(call);
        result = Variant::FromDispatch(std::make_shared<WriterWindowObject>(state_->active));
        return S_OK;
    });
    AddProperty(QStringLiteral("Selection"), [this](const MemberCall& call, Variant& result) {
        if (!state_->active) return RaiseNoDocument(call);
        result = Variant::FromDispatch(std::make_shared<WriterSelectionObject>(state_->active));
        return S_OK;
    });
    AddProperty(
        QStringLiteral("WindowState"),
        [this](const MemberCall& call, Variant& result) {
            const int wished = state_->wish->Get().state;
            if (!state_->active) {
                result = Variant::FromI4(wished);
                return S_OK;
            }
            const Model model = state_->active->model;
            const std::shared_ptr<HeldDocuments> hold = state_->hold;
            uno::Any value;
            const HRESULT hr = Office(
                call,
                [model, hold, wished] {
                    // A hidden window takes its state when it is shown.
                    if (hold->Hidden(model)) return uno::Any(sal_Int32(wished));
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
            state_->wish->SetState(int(*code));
            if (!state_->active) return S_OK;
            const Model model = state_->active->model;
            const std::shared_ptr<HeldDocuments> hold = state_->hold;
            const int windowState = int(*code);
            return Office(call, [model, hold, windowState] {
                if (!hold->Hidden(model)) ApplyWindowState(model, windowState);
                return uno::Any();
            });
        });
    for (const auto& entry : {std::pair{QStringLiteral("Left"), WindowWish::kLeft},
                              std::pair{QStringLiteral("Top"), WindowWish::kTop},
                              std::pair{QStringLiteral("Width"), WindowWish::kWidth},
                              std::pair{QStringLiteral("Height"), WindowWish::kHeight}}) {
        // Named copies: lambdas may not capture structured bindings everywhere.
        const QString& name = entry.first;
        const WindowWish::Edge edge = entry.second;
        AddProperty(
            name,
            [this, edge](const MemberCall& call, Variant& result) {
                const std::optional<int> wished = state_->wish->Get().edges[edge];
                if (!state_->active) {
                    result = Variant::FromI4(wished.value_or(0));
                    return S_OK;
                }
                const Model model = state_->active->model;
                const std::shared_ptr<HeldDocuments> hold = state_->hold;
                const int which = edge;
                uno::Any value;
                const HRESULT hr = Office(
                    call,
                    [model, hold, which, wished] {
                        // A hidden window answers no place: it opens where put.
                        if (hold->Hidden(model)) return uno::Any(sal_Int32(wished.value_or(0)));
                        return uno::Any(sal_Int32(ReadEdge(model, which)));
                    },
                    &value);
                if (SUCCEEDED(hr)) result = Variant::FromI4(value.get<sal_Int32>());
                return hr;
            },
            [this, edge](const MemberCall& call, const Variant& value) {
                const std::optional<std::int64_t> pixels = IntegerArgument(value);
                if (!pixels) return call.TypeMismatch(0);
                state_->wish->SetEdge(edge, int(*pixels));
                if (!state_->active) return S_OK;
                const Model model = state_->active->model;
                const std::shared_ptr<HeldDocuments> hold = state_->hold;
                std::optional<int> only[4];
                only[edge] = int(*pixels);
                return Office(call, [model, hold, only] {
                    if (!hold->Hidden(model)) PlaceWindow(WindowOf(model), only);
                    return uno::Any();
                });
            });
    }
}

// --- Documents ----------------------------------------------------------------

WriterDocumentsObject::WriterDocumentsObject(std::shared_ptr<WriterApplicationState> application)
    : WriterObject(application->session), application_(std::move(application)) {
    AddMethod(QStringLiteral("Add"), 0, 0, [this](const MemberCall& call, Variant& result) {
        OfficeSession* const session = session_.get();
        const std::shared_ptr<HeldDocuments> hold = application_->hold;
        HeldDocument held;
        held.frameName = HeldDocuments::NewFrameName();
        held.wish = application_->wish;
        uno::Any value;
        const HRESULT hr = Office(
            call,
            [session, hold, held]() mutable {
                // Hidden until its report ends, then shown where it is placed.
                css::beans::PropertyValue hide;
                hide.Name = OUString("Hidden");
                hide.Value <<= true;
                const uno::Reference<css::lang::XComponent> component =
                    session->Desktop()->loadComponentFromURL(
                        OUString("private:factory/swriter"), OUString("_blank"), 0,
                        uno::Sequence<css::beans::PropertyValue>(&hide, 1));
                held.model.set(component, uno::UNO_QUERY_THROW);
                ControllerOf(held.model)->getFrame()->setName(held.frameName);
                hold->AddHidden(held);
                return uno::Any(held.model);
            },
            &value);
        if (FAILED(hr)) return hr;
        held.model.set(value, uno::UNO_QUERY);
        const auto document = std::make_shared<WriterDocumentText>(session_, hold, held);
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
    : WriterObject(document), application_(std::move(application)), document_(std::move(document)) {
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
        result = Variant::FromDispatch(std::make_shared<WriterParagraphsObject>(document_));
        return S_OK;
    });
}

}  // namespace velars
