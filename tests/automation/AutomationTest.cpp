// The late-bound call layer: argument lists, binding, the four call kinds,
// error texts, and the object factory.

#include <gtest/gtest.h>

#include <stdexcept>

#include "automation/Automation.h"
#include "automation/ObjectFactory.h"
#include "platform/FakePlatformServices.h"
#include "tests/support/RecordingWordServer.h"

namespace velars {
namespace {

// A server object that answers every name and records what it was sent.
class EchoDispatch : public IDispatch {
public:
    struct Invocation {
        DISPID id = 0;
        LCID lcid = 0;
        std::uint16_t flags = 0;
        std::vector<Variant> args;
        std::vector<DISPID> named;
        bool resultRequested = false;
        bool cleanEntry = false;
    };

    HRESULT GetIDsOfNames(const QString* names, unsigned count, LCID lcid, DISPID* ids) override {
        lookups.push_back(names[0]);
        lookupCounts.push_back(count);
        lookupLocales.push_back(lcid);
        if (names[0] == QLatin1String("Missing")) return DISP_E_UNKNOWNNAME;
        ids[0] = 100 + static_cast<DISPID>(lookups.size());
        return S_OK;
    }

    HRESULT Invoke(DISPID id, LCID lcid, std::uint16_t flags, DISPPARAMS* params, Variant* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) override {
        Invocation call;
        call.id = id;
        call.lcid = lcid;
        call.flags = flags;
        for (unsigned i = 0; i < params->cArgs; ++i) call.args.push_back(params->rgvarg[i]);
        for (unsigned i = 0; i < params->cNamedArgs; ++i)
            call.named.push_back(params->rgdispidNamedArgs[i]);
        call.resultRequested = result != nullptr;
        call.cleanEntry = *argErr == 0 && excepInfo->pfnDeferredFillIn == nullptr &&
                          excepInfo->scode == 0 && excepInfo->bstrDescription.isEmpty();
        invocations.push_back(call);
        // Leave debris behind, as a server may: the next call must start clean.
        *argErr = 3;
        excepInfo->bstrDescription = QStringLiteral("debris");
        if (answer == DISP_E_EXCEPTION && deferFill) excepInfo->pfnDeferredFillIn = &CountFillIn;
        if (SUCCEEDED(answer) && result != nullptr) *result = Variant::FromI4(42);
        return answer;
    }

    static HRESULT CountFillIn(EXCEPINFO* info) {
        ++fillIns;
        info->scode = E_FAIL;
        return S_OK;
    }

    std::vector<QString> lookups;
    std::vector<unsigned> lookupCounts;
    std::vector<LCID> lookupLocales;
    std::vector<Invocation> invocations;
    HRESULT answer = S_OK;
    bool deferFill = false;
    static inline int fillIns = 0;
};

// An object whose interface query yields another object, or nothing.
class PlainUnknown : public IUnknown {
public:
    explicit PlainUnknown(DispatchPtr inner) : inner_(std::move(inner)) {}
    DispatchPtr QueryDispatch() override { return inner_; }

private:
    DispatchPtr inner_;
};

TEST(AutoArgsTest, SlotZeroIsTheResultAndArgumentsRunLastToFirst) {
    TAutoArgs<3> args;
    EXPECT_EQ(args.Count(), 3);
    args[1] = Variant::FromI4(1);
    args[2] = Variant::FromI4(2);
    args[3] = Variant::FromI4(3);
    args[0] = Variant::FromI4(99);
    EXPECT_EQ(&args[0], &args.Result());
    // Slot i + 1 of the argument area holds argument N - i.
    EXPECT_EQ(args.Arguments()[0].lVal(), 3);
    EXPECT_EQ(args.Arguments()[1].lVal(), 2);
    EXPECT_EQ(args.Arguments()[2].lVal(), 1);
    EXPECT_EQ(args.Result().lVal(), 99);

    TAutoArgs<1> one;
    EXPECT_EQ(&one[1], one.Arguments());
    EXPECT_TRUE(one[0].IsEmpty());
    EXPECT_TRUE(one[1].IsEmpty());

    TAutoArgs<0> none;
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(none.Arguments(), nullptr);
}

using AutoArgsDeathTest = ::testing::Test;

TEST_F(AutoArgsDeathTest, AnIndexOutOfBoundsStopsTheProgramNamingTheCondition) {
    EXPECT_DEATH(
        {
            TAutoArgs<1> args;
            args[2];
        },
        "index <= m_Count");
    EXPECT_DEATH(
        {
            TAutoArgs<1> args;
            args[-1];
        },
        "index >= 0");
    EXPECT_DEATH(
        {
            TAutoArgs<0> args;
            args[1];
        },
        "index <= m_Count");
}

TEST_F(AutoArgsDeathTest, ACallOnAValueWithoutAnInterfaceStopsTheProgram) {
    EXPECT_DEATH(AutoGet(Variant(), "Documents"), "IsBound");
    EXPECT_DEATH(AutoProc(Variant::Null(), "Add"), "IsBound");
}

TEST(VariantTest, BoolIsMinusOneOrZero) {
    EXPECT_EQ(Variant::FromBool(true).vt(), VT_BOOL);
    EXPECT_EQ(Variant::FromBool(true).boolVal(), -1);
    EXPECT_EQ(Variant::FromBool(false).boolVal(), 0);
    EXPECT_EQ(Variant::FromI1(-5).vt(), VT_I1);
    EXPECT_EQ(Variant::FromUI1(200).bVal(), 200);
    EXPECT_FALSE(Variant::FromBstr(std::nullopt).bstrVal().has_value());
}

TEST(AutoDriverTest, BindsTheDispatchInterfaceOfEveryObjectForm) {
    auto echo = std::make_shared<EchoDispatch>();
    DispatchPtr dispatchRef = echo;
    UnknownPtr unknownRef = echo;
    auto noDispatch = std::make_shared<PlainUnknown>(nullptr);
    auto wrapper = std::make_shared<PlainUnknown>(echo);
    UnknownPtr wrapperRef = wrapper;

    struct Case {
        const char* name;
        Variant object;
        DispatchPtr expected;
    };
    const Case cases[] = {
        {"dispatch", Variant::FromDispatch(echo), echo},
        {"unknown that is a dispatch", Variant::FromUnknown(echo), echo},
        {"unknown queried for its dispatch", Variant::FromUnknown(wrapper), echo},
        {"unknown without dispatch", Variant::FromUnknown(noDispatch), nullptr},
        {"dispatch by reference", Variant::DispatchByRef(&dispatchRef), echo},
        {"unknown by reference", Variant::UnknownByRef(&wrapperRef), echo},
        {"empty", Variant(), nullptr},
        {"null", Variant::Null(), nullptr},
        {"null dispatch", Variant::FromDispatch(nullptr), nullptr},
    };
    for (const Case& c : cases) {
        TAutoDriver<IDispatch> driver(c.object);
        EXPECT_EQ(driver.IsBound(), c.expected != nullptr) << c.name;
        EXPECT_EQ(driver.Dispatch(), c.expected) << c.name;
        EXPECT_EQ(driver.Locale(), 0x0800u) << c.name;
    }
}

TEST(AutoDriverTest, TheBoundInterfaceHoldsAReferenceUntilTheDriverGoes) {
    auto echo = std::make_shared<EchoDispatch>();
    const long before = echo.use_count();
    {
        TAutoDriver<IDispatch> driver(Variant::FromDispatch(echo));
        EXPECT_EQ(echo.use_count(), before + 1);
    }
    EXPECT_EQ(echo.use_count(), before);
}

TEST(AutoDriverTest, EveryInvocationStartsWithAZeroedExceptionRecord) {
    auto echo = std::make_shared<EchoDispatch>();
    echo->answer = DISP_E_EXCEPTION;
    echo->deferFill = true;
    TAutoDriver<IDispatch> driver(Variant::FromDispatch(echo));
    DISPID id = 0;
    ASSERT_EQ(driver.GetIDsOfNames(QStringLiteral("Add"), id), S_OK);
    EXPECT_EQ(driver.Invoke(id, DISPATCH_METHOD, nullptr, false, false), DISP_E_EXCEPTION);
    EXPECT_EQ(driver.ArgErr(), 3u);               // the server's debris
    EXPECT_EQ(driver.ExcepInfo().scode, E_FAIL);  // filled in on request
    EXPECT_EQ(driver.Invoke(id, DISPATCH_METHOD, nullptr, false, false), DISP_E_EXCEPTION);
    ASSERT_EQ(echo->invocations.size(), 2u);
    EXPECT_TRUE(echo->invocations[1].cleanEntry);
}

class AutoCallTest : public ::testing::Test {
protected:
    std::shared_ptr<EchoDispatch> echo = std::make_shared<EchoDispatch>();
    Variant object = Variant::FromDispatch(echo);

    const EchoDispatch::Invocation& Last() const { return echo->invocations.back(); }
    QString DescribeArg() const {
        return Last().args.size() == 1 ? test::DescribeVariant(Last().args[0])
                                       : QStringLiteral("?");
    }
};

TEST_F(AutoCallTest, EachKindLooksTheNameUpThenInvokesWithItsOwnParameters) {
    const Variant got = AutoGet(object, "Documents");
    EXPECT_EQ(got.vt(), VT_I4);
    EXPECT_EQ(got.lVal(), 42);
    EXPECT_EQ(Last().flags, DISPATCH_PROPERTYGET);
    EXPECT_TRUE(Last().args.empty());
    EXPECT_TRUE(Last().named.empty());
    EXPECT_TRUE(Last().resultRequested);

    AutoPut(object, "Left", std::int32_t{-15});
    EXPECT_EQ(Last().flags, DISPATCH_PROPERTYPUT);
    ASSERT_EQ(Last().args.size(), 1u);
    EXPECT_EQ(Last().args[0].vt(), VT_I4);
    EXPECT_EQ(Last().args[0].lVal(), -15);
    EXPECT_EQ(Last().named, std::vector<DISPID>{DISPID_PROPERTYPUT});
    EXPECT_FALSE(Last().resultRequested);

    AutoProc(object, "Add");
    EXPECT_EQ(Last().flags, DISPATCH_METHOD);
    EXPECT_TRUE(Last().args.empty());
    EXPECT_TRUE(Last().named.empty());
    EXPECT_FALSE(Last().resultRequested);

    const Variant item = AutoFunc(object, "Item", std::int32_t{1});
    EXPECT_EQ(item.lVal(), 42);
    EXPECT_EQ(Last().flags, DISPATCH_METHOD);
    ASSERT_EQ(Last().args.size(), 1u);
    EXPECT_EQ(Last().args[0].vt(), VT_I4);
    EXPECT_EQ(Last().args[0].lVal(), 1);
    EXPECT_TRUE(Last().named.empty());
    EXPECT_TRUE(Last().resultRequested);

    AutoFunc(object, "Item", std::uint8_t{200});
    EXPECT_EQ(Last().args[0].vt(), VT_UI1);
    EXPECT_EQ(Last().args[0].bVal(), 200);

    // One lookup of one name per call, never cached, always the system locale;
    // the invocation uses the id just looked up.
    EXPECT_EQ(echo->lookups, (std::vector<QString>{"Documents", "Left", "Add", "Item", "Item"}));
    for (unsigned count : echo->lookupCounts) EXPECT_EQ(count, 1u);
    for (LCID lcid : echo->lookupLocales) EXPECT_EQ(lcid, 0x0800u);
    for (std::size_t i = 0; i < echo->invocations.size(); ++i) {
        EXPECT_EQ(echo->invocations[i].id, DISPID(101 + i));
        EXPECT_EQ(echo->invocations[i].lcid, 0x0800u);
        EXPECT_TRUE(echo->invocations[i].cleanEntry) << i;
    }
}

TEST_F(AutoCallTest, PutsCarryTheValueInItsVariantType) {
    FakePlatformServices platform;
    AutoPut(object, "Visible", true);
    EXPECT_EQ(DescribeArg(), "VT_BOOL -1");
    AutoPut(object, "Superscript", false);
    EXPECT_EQ(DescribeArg(), "VT_BOOL 0");
    AutoPut(object, "Size", std::int8_t{-3});
    EXPECT_EQ(DescribeArg(), "VT_I1 -3");
    AutoPut(object, "Text", Bstr(QStringLiteral("Па")));
    EXPECT_EQ(DescribeArg(), "VT_BSTR \"Па\"");
    AutoPut(object, "Text", Bstr(QString()));
    EXPECT_EQ(DescribeArg(), "VT_BSTR null");
    AutoPut(object, "Text", QByteArray("abc"), platform);
    EXPECT_EQ(DescribeArg(), "VT_BSTR \"abc\"");
    AutoPut(object, "Text", QByteArray(), platform);
    EXPECT_EQ(DescribeArg(), "VT_BSTR null");
}

TEST_F(AutoCallTest, AFailedLookupRaisesWithoutInvoking) {
    try {
        AutoGet(object, "Missing");
        FAIL() << "no error";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode(), DISP_E_UNKNOWNNAME);
        EXPECT_EQ(e.Message(), "Unknown name");
    }
    EXPECT_TRUE(echo->invocations.empty());
}

TEST_F(AutoCallTest, AFailedInvocationRaisesWithTheSystemsTextAndCallsTheDeferredFillIn) {
    echo->answer = DISP_E_EXCEPTION;
    echo->deferFill = true;
    const int fillInsBefore = EchoDispatch::fillIns;
    Variant kept = Variant::FromI4(7);
    try {
        kept = AutoGet(object, "Documents");
        FAIL() << "no error";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode(), DISP_E_EXCEPTION);
        EXPECT_EQ(e.Message(), "Exception occurred");
    }
    EXPECT_EQ(EchoDispatch::fillIns, fillInsBefore + 1);
    EXPECT_EQ(kept.lVal(), 7);  // the caller's value is not touched by a failed call

    // Without a fill-in function nothing is called; other codes never call it.
    echo->deferFill = false;
    EXPECT_THROW(AutoProc(object, "Add"), EOleSysError);
    echo->answer = HRESULT(0x80012345u);
    echo->deferFill = true;
    try {
        AutoPut(object, "Left", std::int32_t{1});
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "OLE error 80012345");
    }
    EXPECT_EQ(EchoDispatch::fillIns, fillInsBefore + 1);
}

TEST(OleErrorTest, TheSystemsTextOrTheCodeInHex) {
    const std::pair<HRESULT, const char*> cases[] = {
        {DISP_E_UNKNOWNNAME, "Unknown name"},
        {DISP_E_MEMBERNOTFOUND, "Member not found"},
        {DISP_E_TYPEMISMATCH, "Type mismatch"},
        {DISP_E_BADPARAMCOUNT, "Invalid number of parameters"},
        {DISP_E_EXCEPTION, "Exception occurred"},
        {DISP_E_BADINDEX, "Invalid index"},
        {E_FAIL, "Unspecified error"},
        {E_NOINTERFACE, "No such interface supported"},
        {E_INVALIDARG, "The parameter is incorrect"},
        {RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients"},
        {CO_E_SERVER_EXEC_FAILURE, "Server execution failed"},
        {REGDB_E_CLASSNOTREG, "Class not registered"},
        {CO_E_CLASSSTRING, "Invalid class string"},
        {HRESULT(0x80012345u), "OLE error 80012345"},
        {HRESULT(0x8000ABCDu), "OLE error 8000ABCD"},
        {HRESULT(0x8000000Au), "OLE error 8000000A"},
    };
    for (const auto& [code, text] : cases) {
        const EOleSysError error(code);
        EXPECT_EQ(error.ErrorCode(), code);
        EXPECT_EQ(error.Message(), QString::fromLatin1(text));
    }
    EXPECT_EQ(OleCheck(S_FALSE), S_FALSE);
    EXPECT_THROW(OleCheck(E_FAIL), EOleSysError);
}

TEST(VariantEqualsTest, NumericValuesEqualToOneAndNothingElse) {
    struct Case {
        Variant value;
        bool equalsOne;
    };
    const Case cases[] = {
        {Variant::FromI4(1), true},
        {Variant::FromI2(1), true},
        {Variant::FromUI1(1), true},
        {Variant::FromI1(1), true},
        {Variant::FromR8(1.0), true},
        {Variant::FromBstr(QStringLiteral(" 1 ")), true},
        {Variant::FromI4(2), false},
        {Variant::FromI4(0), false},
        {Variant::FromR8(1.5), false},
        {Variant::FromBool(true), false},
        {Variant(), false},
        {Variant::Null(), false},
        {Variant::FromBstr(std::nullopt), false},
    };
    for (const Case& c : cases) EXPECT_EQ(VariantEquals(c.value, 1), c.equalsOne) << c.value.vt();
}

TEST(ObjectFactoryTest, CreatesByProgIdAndReportsEveryFailure) {
    auto echo = std::make_shared<EchoDispatch>();
    ObjectFactory factory;
    factory.Register(QStringLiteral("Word.Application"), [echo] { return echo; });
    factory.Register(QStringLiteral("Broken.Throws"),
                     []() -> DispatchPtr { throw std::runtime_error("no"); });
    factory.Register(QStringLiteral("Broken.Null"), []() -> DispatchPtr { return nullptr; });

    DispatchPtr object;
    EXPECT_EQ(factory.CreateInstance(QStringLiteral("Word.Application"), &object), S_OK);
    EXPECT_EQ(object, echo);
    EXPECT_EQ(factory.CreateInstance(QStringLiteral("Excel.Application"), &object),
              CO_E_CLASSSTRING);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory.CreateInstance(QStringLiteral("Broken.Throws"), &object),
              CO_E_SERVER_EXEC_FAILURE);
    EXPECT_EQ(factory.CreateInstance(QStringLiteral("Broken.Null"), &object),
              CO_E_SERVER_EXEC_FAILURE);
    factory.Unregister(QStringLiteral("Word.Application"));
    EXPECT_EQ(factory.CreateInstance(QStringLiteral("Word.Application"), &object),
              CO_E_CLASSSTRING);
}

}  // namespace
}  // namespace velars
