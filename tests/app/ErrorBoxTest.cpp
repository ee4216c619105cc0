#include <gtest/gtest.h>

#include <stdexcept>

#include "app/ErrorBox.h"
#include "numbers/Exception.h"

namespace velars {
namespace {

TEST(ApplicationTitle, FileNameWithoutFolderAndFromTheFirstDotOnLowerCaseAfterTheFirst) {
    const std::pair<QString, QString> cases[] = {
        {"/work/main/build/app/velars-tp", "velars-tp"},
        {"velars-tp", "velars-tp"},
        {"C:/Program Files/Velars/VELARS-TP.EXE", "Velars-tp"},
        {"/opt/Velars.TP/Velars-TP", "Velars-tp"},
        {"/opt/prog.tar.gz", "prog"},
        {"/opt/.hidden", ""},
        {"/opt/ЯКОРЬ", "Якорь"},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(ApplicationTitle(path), title) << path.toStdString();
}

TEST(ErrorBoxText, FullStopAfterACharacterAboveTheFullStop) {
    const std::pair<QString, QString> cases[] = {
        {"'' is not a valid floating point value", "'' is not a valid floating point value."},
        {"Floating point overflow", "Floating point overflow."},
        {"ends with a stop.", "ends with a stop."},
        {"ends with a bracket)", "ends with a bracket)"},  // 41
        {"ends with a hyphen-", "ends with a hyphen-"},    // 45
        {"ends with a slash/", "ends with a slash/."},     // 47
        {"ends with a digit 0", "ends with a digit 0."},
        {"Ошибка", "Ошибка."},
        {"", ""},
    };
    for (const auto& [message, text] : cases)
        EXPECT_EQ(ErrorBoxText(message), text) << message.toStdString();
}

TEST(ExceptionMessage, OwnMessageForTheCalculatorsExceptionsEmptyForOthers) {
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(EConvertError("'x' is bad"))), "'x' is bad");
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::runtime_error("other"))), "");
    EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(42)), "");
}

}  // namespace
}  // namespace velars
