#include <gtest/gtest.h>

#include <stdexcept>

#include "app/ErrorBox.h"
#include "app/EventGuard.h"
#include "numbers/Exception.h"

namespace velars {
namespace {

class EventGuardTest : public ::testing::Test {
protected:
    QStringList reported;
    EventGuard guard{[this](std::exception_ptr e) { reported << ExceptionMessage(e); }};
};

TEST_F(EventGuardTest, AnEscapingExceptionIsReportedOnceAndTheNextEventRuns) {
    guard.Run([] { throw Exception("first"); });
    guard.Run([] { throw std::runtime_error("not ours"); });
    bool ran = false;
    guard.Run([&] { ran = true; });
    EXPECT_EQ(reported, QStringList({"first", ""}));
    EXPECT_TRUE(ran);
    EXPECT_EQ(guard.Depth(), 0);
}

TEST_F(EventGuardTest, ANestedHandlersExceptionEndsTheOuterHandlerAfterTheSetter) {
    bool outerGoesOn = false;
    guard.Run([&] {
        guard.Run([] { throw Exception("nested"); });  // the Change handler inside a setter
        guard.RethrowPending();                        // the setter returns
        outerGoesOn = true;
    });
    EXPECT_FALSE(outerGoesOn);
    EXPECT_EQ(reported, QStringList({"nested"}));
}

TEST_F(EventGuardTest, ANestedExceptionNobodyRethrowsIsReportedWhenTheOuterHandlerEnds) {
    guard.Run([&] {
        guard.Run([] { throw Exception("nested"); });
        EXPECT_TRUE(reported.isEmpty()) << "not while the outer handler runs";
    });
    EXPECT_EQ(reported, QStringList({"nested"}));
}

TEST_F(EventGuardTest, AFailingReportDoesNotEscape) {
    int reports = 0;
    EventGuard failing([&reports](std::exception_ptr) {
        ++reports;
        throw std::runtime_error("box failed");
    });
    // Run is noexcept: were the reporter's exception to leave it, the test
    // program would end right here.
    static_assert(noexcept(failing.Run([] {})));
    failing.Run([] { throw Exception("x"); });
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(failing.Depth(), 0);
    EXPECT_NO_THROW(failing.RethrowPending()) << "the reported error is not kept for later";
    bool ran = false;
    failing.Run([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(reports, 1);
}

}  // namespace
}  // namespace velars
