#pragma once
// The main window as the real-display tests drive it: points in its client
// area, and the worked example entered by keyboard as a user enters it.

#include <QPoint>

#include "RealDisplay.h"

namespace velars::test {

// The middle of each control, the empty right end of the check box, the
// empty right part of a text field.
namespace at {
constexpr QPoint cbPribor{144, 50};
constexpr QPoint mePlotnost{114, 198};
constexpr QPoint meQ{114, 251};
constexpr QPoint meTgaza{114, 281};
constexpr QPoint mePizb{114, 313};
constexpr QPoint mePizb2{114, 343};
constexpr QPoint mePatm{114, 373};
constexpr QPoint cbOtchetRightEnd{149, 418};
constexpr QPoint butRaschhet{226, 417};
constexpr QPoint RichEdit1{140, 500};
inline QPoint BackgroundOf(QPoint field) { return field + QPoint(52, 0); }
}  // namespace at

// The worked example, by keyboard from the density field backwards to the
// model list: model 3, section 1, Dy 100, then the five values.
void EnterWorkedExample(RealDisplay& display, int instance = 0);

}  // namespace velars::test
