#pragma once
// Reaching a Writer document's frame, window and view from its model, Word's
// window states, and Word's paragraph alignment codes in Writer's terms. For work run on the
// office thread: a closed document throws DisposedException.

#include <com/sun/star/awt/PosSize.hpp>
#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <cstdint>
#include <optional>

namespace velars {

inline com::sun::star::uno::Reference<com::sun::star::frame::XController> ControllerOf(
    const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model) {
    com::sun::star::uno::Reference<com::sun::star::frame::XController> controller =
        model->getCurrentController();
    if (!controller.is()) throw com::sun::star::lang::DisposedException();
    return controller;
}

inline com::sun::star::uno::Reference<com::sun::star::awt::XWindow> WindowOf(
    const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model) {
    const auto frame = ControllerOf(model)->getFrame();
    if (!frame.is()) throw com::sun::star::lang::DisposedException();
    return frame->getContainerWindow();
}

// Puts the edges given (left, top, width, height) on a window: each moves
// or sizes it, the others stay.
inline void PlaceWindow(const com::sun::star::uno::Reference<com::sun::star::awt::XWindow>& window,
                        const std::optional<int> (&edges)[4]) {
    com::sun::star::awt::Rectangle box = window->getPosSize();
    if (edges[0]) box.X = *edges[0];
    if (edges[1]) box.Y = *edges[1];
    if (edges[2]) box.Width = *edges[2];
    if (edges[3]) box.Height = *edges[3];
    window->setPosSize(box.X, box.Y, box.Width, box.Height, com::sun::star::awt::PosSize::POSSIZE);
}

// Word's window states on a document's window: 0 normal, 1 maximised,
// 2 minimised.
inline void ApplyWindowState(
    const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model, int state) {
    const com::sun::star::uno::Reference<com::sun::star::awt::XTopWindow2> window(
        WindowOf(model), com::sun::star::uno::UNO_QUERY_THROW);
    window->setIsMinimized(state == 2);
    window->setIsMaximized(state == 1);
}

// 0 left, 1 centred, 2 right, 3 justified; nullopt for any other code.
inline std::optional<com::sun::star::style::ParagraphAdjust> AdjustOfCode(std::int64_t code) {
    using namespace com::sun::star::style;
    switch (code) {
    case 0: return ParagraphAdjust_LEFT;
    case 1: return ParagraphAdjust_CENTER;
    case 2: return ParagraphAdjust_RIGHT;
    case 3: return ParagraphAdjust_BLOCK;
    default: return std::nullopt;
    }
}

// The code of a ParaAdjust value, which Writer answers as a number.
inline std::int32_t CodeOfAdjust(const com::sun::star::uno::Any& value) {
    using namespace com::sun::star::style;
    sal_Int32 adjust = 0;
    if (!(value >>= adjust) && value.getValueTypeClass() == com::sun::star::uno::TypeClass_ENUM)
        adjust = *static_cast<const sal_Int32*>(value.getValue());
    switch (ParagraphAdjust(adjust)) {
    case ParagraphAdjust_CENTER: return 1;
    case ParagraphAdjust_RIGHT: return 2;
    case ParagraphAdjust_BLOCK:
    case ParagraphAdjust_STRETCH: return 3;
    default: return 0;
    }
}

}  // namespace velars
