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
    EventGuard failing([](std::exception_ptr) { throw std::runtime_error("box failed"); });
    EXPECT_NO_THROW(failing.Run([] { throw Exception("x"); }));
    bool ran = false;
    failing.Run([&] { ran = true; });
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace velars
