#pragma once
// The real window on the offscreen platform with the platform test double.

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "app/TmainForm.h"
#include "platform/FakePlatformServices.h"
#include "report/ObjectFactory.h"
#include "tests/widgets/UserActions.h"
#include "widgets/SystemColors.h"
#include "tests/support/WindowActivation.h"

namespace velars::testing {

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.executablePath = QStringLiteral("/opt/velars/velars-tp");
        form = std::make_unique<TmainForm>(platform, factory);
        form->FormCreate();
    }

    // Shows the window and makes it active, so that focus and input
    // events reach its controls as they reach them for the user.
    void Show() {
        form->show();
        ASSERT_TRUE(ActivateWindow(*form));
    }

    template <class Control = QWidget>
    Control* Find(const QString& name) const {
        Control* control = form->findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    TextField* Field(const QString& name) const { return Find<TextField>(name); }
    ColorComboBox* List(const QString& name) const { return Find<ColorComboBox>(name); }

    // Picks an item as the user does: drop-down part, click.
    void Pick(const QString& list, int index) {
        ASSERT_TRUE(PickItem(List(list), index)) << list.toStdString() << " " << index;
    }

    // Moves the focus into a field the way Tab does, raising its Enter.
    void Enter(QWidget* control) {
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus());
    }

    // Enters the field and types `text` in place of what it held.
    void Type(const QString& name, const QString& text) {
        TextField* field = Field(name);
        Enter(field);
        field->selectAll();
        if (!field->text().isEmpty()) QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    static QColor Red() { return QColor(255, 0, 0); }

    FakePlatformServices platform;
    ObjectFactory factory;
    std::unique_ptr<TmainForm> form;
};

}  // namespace velars::testing
