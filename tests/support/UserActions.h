#pragma once
// What a user does to a drop-down list, driven through real input events.

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

namespace velars::test {

// Opens the drop-down part and clicks the item at `index`.
inline bool PickItem(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    if (!QTest::qWaitForWindowExposed(view->window())) return false;
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    return !view->window()->isVisible() && combo->currentIndex() == index;
}

}  // namespace velars::test
