#include "cli/DeviceChoice.h"

#include <gtest/gtest.h>

namespace velars::cli {
namespace {

TEST(DeviceChoiceTest, ModelByIndexNameOrShortName) {
    const struct {
        const char* text;
        int model;
    } cases[] = {
        {"0", 0},
        {" 5 ", 5},
        {"ВЕЛАРС-МТ7", 3},
        {"велараc", -1},
        {"ВЕЛАРС-Сфера-Вр (врезной)", 2},
        {"велАрс-сфера-вр", 2},
        {"ВЕЛАРС-МТ7-Сфера", 5},
        {"ВЕЛАРС-Д500", 4},
        {"6", -1},
        {"-1", -1},
        {"", -1},
        {"ВЕЛАРС", -1},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_EQ(ResolveModel(QString::fromUtf8(c.text), &error), c.model) << c.text;
        EXPECT_EQ(error.isEmpty(), c.model >= 0) << c.text;
    }
}

TEST(DeviceChoiceTest, SectionWithinTheModelsList) {
    QString error;
    EXPECT_EQ(ResolveSection(0, QStringLiteral("3"), &error), 3);
    EXPECT_EQ(ResolveSection(3, QStringLiteral("турбулизатор-вс"), &error), 2);
    EXPECT_EQ(ResolveSection(0, QStringLiteral("Шумоглушитель"), &error), 2);
    EXPECT_TRUE(error.isEmpty());

    // Model 4 has two sections; the silencer is not one of model 3's.
    EXPECT_EQ(ResolveSection(4, QStringLiteral("2"), &error), -1);
    EXPECT_EQ(error, QStringLiteral("'2' is not a section of ВЕЛАРС-Д500 (0 Без турбулизатора, 1 "
                                    "Турбулизатор-Н)"));
    EXPECT_EQ(ResolveSection(3, QStringLiteral("Шумоглушитель"), &error), -1);
}

TEST(DeviceChoiceTest, DiameterMustBeOneTheModelOffers) {
    QString error;
    EXPECT_EQ(ResolveDiameter(3, QStringLiteral("27"), &error), 27);
    EXPECT_EQ(ResolveDiameter(0, QStringLiteral("400"), &error), 400);
    // A position in the list.
    EXPECT_EQ(ResolveDiameter(1, QStringLiteral("2"), &error), 200);
    EXPECT_EQ(ResolveDiameter(2, QStringLiteral("50"), &error), 50);
    EXPECT_TRUE(error.isEmpty());

    EXPECT_EQ(ResolveDiameter(0, QStringLiteral("27"), &error), -1);
    EXPECT_EQ(error,
              QStringLiteral("'27' is not a diameter of ВЕЛАРС-Сфера-ПП (полнопроходной) (50, "
                             "80, 100, 150, 200, 300, 400 mm, or their position from 0)"));
    EXPECT_EQ(ResolveDiameter(5, QStringLiteral("3"), nullptr), -1);
    EXPECT_EQ(ResolveDiameter(5, QStringLiteral("100.0"), nullptr), -1);
    EXPECT_EQ(ResolveDiameter(3, QStringLiteral("400"), nullptr), -1);
}

TEST(DeviceChoiceTest, NumberRoutesAgreeWithTheTextRoutes) {
    for (int model = 0; model < 6; ++model) {
        for (int number = 0; number < 500; ++number) {
            const QString text = QString::number(number);
            ASSERT_EQ(SectionFromNumber(model, number), ResolveSection(model, text, nullptr));
            ASSERT_EQ(DiameterFromNumber(model, number), ResolveDiameter(model, text, nullptr));
        }
    }
    EXPECT_EQ(SmallNumber(std::string_view("0123")), 123);
    EXPECT_EQ(SmallNumber(std::string_view("1234567890")), -1);
    EXPECT_EQ(SmallNumber(std::string_view("+1")), -1);
}

}  // namespace
}  // namespace velars::cli
