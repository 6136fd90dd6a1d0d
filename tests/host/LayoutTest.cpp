#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "DialogManager.h"
#include "HostScene.h"
#include "host/AdmSuites.h"
#include "host/AiSuites.h"
#include "host/HostMessages.h"
#include "host/SpSuites.h"

namespace {

using hosttest::HostScene;
using FunctionPointer = void (*)();

// Converts to whatever a member wants, so that brace-initialising an
// aggregate with n of them compiles exactly when it has at least n members.
struct AnyMember {
    template <typename T>
    operator T() const;
};

template <typename T, typename... Members>
constexpr std::size_t MemberCount() {
    if constexpr (requires { T{Members{}..., AnyMember{}}; }) {
        return MemberCount<T, Members..., AnyMember>();
    } else {
        return sizeof...(Members);
    }
}

template <typename Suite>
std::array<FunctionPointer, MemberCount<Suite>()> Functions(const Suite& suite) {
    std::array<FunctionPointer, MemberCount<Suite>()> functions;
    std::memcpy(functions.data(), &suite, sizeof suite);
    return functions;
}

template <typename Suite>
class FunctionTable : public testing::Test {};

using Suites = testing::Types<
    host::SpBasicSuite, host::SpBlocksSuite, host::SpAccessSuite, host::SpSuitesSuite,
    host::AdmBasicSuite, host::AdmDialogSuite, host::AdmDialogGroupSuite, host::AdmDrawerSuite,
    host::AdmEntrySuite, host::AdmIconSuite, host::AdmItemSuite, host::AdmListSuite,
    host::AdmNotifierSuite, host::AdmTrackerSuite, host::AiDocumentSuite, host::AiFilePathSuite,
    host::AiFontSuite, host::AiLayerSuite, host::AiMenuSuite, host::AiNotifierSuite,
    host::AiPreferenceSuite, host::AiToolSuite, host::AiUserSuite>;
TYPED_TEST_SUITE(FunctionTable, Suites);

// A table is nothing but function pointers, one after the other, whatever
// size a pointer has on the platform.
TYPED_TEST(FunctionTable, IsOnlyFunctionPointersWithoutPadding) {
    using Suite = TypeParam;
    static_assert(std::is_standard_layout_v<Suite> && std::is_trivially_copyable_v<Suite>);
    EXPECT_GT(MemberCount<Suite>(), 0u);
    EXPECT_EQ(sizeof(Suite), MemberCount<Suite>() * sizeof(FunctionPointer));
    EXPECT_EQ(alignof(Suite), alignof(FunctionPointer));
}

template <typename Suite>
void ExpectEveryFunctionServed(HostScene& scene, const host::SuiteVersions& suite) {
    for (FunctionPointer function : Functions(*scene.Acquire<Suite>(suite))) {
        EXPECT_NE(function, nullptr) << suite.name;
    }
    scene.Release(suite);
}

TEST(FunctionTable, ServedSystemSuitesHaveEveryFunction) {
    HostScene scene;
    ExpectEveryFunctionServed<host::SpBasicSuite>(scene, host::kSpBasicSuite);
    ExpectEveryFunctionServed<host::SpBlocksSuite>(scene, host::kSpBlocksSuite);
    ExpectEveryFunctionServed<host::SpAccessSuite>(scene, host::kSpAccessSuite);
    ExpectEveryFunctionServed<host::SpSuitesSuite>(scene, host::kSpSuitesSuite);
    EXPECT_TRUE(scene.core.GetLedger().Balanced()) << scene.core.GetLedger().Imbalance();
}

TEST(FunctionTable, ServedDialogManagerSuitesHaveEveryFunction) {
    HostScene scene;
    standin::DialogManager dialogs(scene.core);
    ExpectEveryFunctionServed<host::AdmBasicSuite>(scene, host::kAdmBasicSuite);
    ExpectEveryFunctionServed<host::AdmDialogSuite>(scene, host::kAdmDialogSuite);
    ExpectEveryFunctionServed<host::AdmDialogGroupSuite>(scene, host::kAdmDialogGroupSuite);
    ExpectEveryFunctionServed<host::AdmDrawerSuite>(scene, host::kAdmDrawerSuite);
    ExpectEveryFunctionServed<host::AdmEntrySuite>(scene, host::kAdmEntrySuite);
    ExpectEveryFunctionServed<host::AdmIconSuite>(scene, host::kAdmIconSuite);
    ExpectEveryFunctionServed<host::AdmItemSuite>(scene, host::kAdmItemSuite);
    ExpectEveryFunctionServed<host::AdmListSuite>(scene, host::kAdmListSuite);
    ExpectEveryFunctionServed<host::AdmNotifierSuite>(scene, host::kAdmNotifierSuite);
    ExpectEveryFunctionServed<host::AdmTrackerSuite>(scene, host::kAdmTrackerSuite);
    EXPECT_TRUE(scene.core.GetLedger().Balanced()) << scene.core.GetLedger().Imbalance();
}

// Dispatch reads the object of a menu, notifier or tool message from the
// first word after the header.
TEST(MessageRecords, NameTheirObjectRightAfterTheHeader) {
    EXPECT_EQ(offsetof(host::MenuMessage, menuItem), sizeof(host::MessageHeader));
    EXPECT_EQ(offsetof(host::NotifierMessage, notifier), sizeof(host::MessageHeader));
    EXPECT_EQ(offsetof(host::ToolMessage, tool), sizeof(host::MessageHeader));
    EXPECT_EQ(sizeof(host::PlatformFileSpecification), host::kPlatformFileSpecificationBytes);
}

}  // namespace
