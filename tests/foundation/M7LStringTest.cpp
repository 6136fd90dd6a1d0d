#include "M7LString.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

template <typename S>
struct Texts;

template <>
struct Texts<M7LString> {
    static constexpr const char* kAbc = "abc";
    static constexpr const char* kBc = "bc";
    static constexpr const char* kEmpty = "";
    static constexpr const char* kXyz = "xyz";
    static constexpr const char* kLonger = "wxyz0";
};

template <>
struct Texts<M7LWideString> {
    static constexpr const char16_t* kAbc = u"abc";
    static constexpr const char16_t* kBc = u"bc";
    static constexpr const char16_t* kEmpty = u"";
    static constexpr const char16_t* kXyz = u"xyz";
    static constexpr const char16_t* kLonger = u"wxyz0";
};

enum class State { kUnset, kEmpty, kSet };

const char* Name(State state) {
    switch (state) {
        case State::kUnset:
            return "unset";
        case State::kEmpty:
            return "empty";
        case State::kSet:
            return "set";
    }
    return "?";
}

template <typename S>
class OwnedStringTest : public testing::Test {
protected:
    using Unit = std::remove_const_t<std::remove_pointer_t<decltype(Texts<S>::kAbc)>>;
    using Text = std::basic_string<Unit>;

    static const Unit* TextOf(State state) {
        switch (state) {
            case State::kUnset:
                return nullptr;
            case State::kEmpty:
                return Texts<S>::kEmpty;
            case State::kSet:
                return Texts<S>::kAbc;
        }
        return nullptr;
    }

    // The size, both accessors and the buffer must agree with the state.
    static void ExpectState(S& s, State state, const Unit* setText) {
        ASSERT_NE(s.CStr(), nullptr);
        switch (state) {
            case State::kUnset:
                EXPECT_EQ(s.GetSize(), 0u);
                EXPECT_EQ(s.CStrOrNull(), nullptr);
                EXPECT_EQ(Text(s.CStr()), Text());
                EXPECT_EQ(s.Buffer(), nullptr);
                break;
            case State::kEmpty:
                EXPECT_EQ(s.GetSize(), 1u);
                ASSERT_NE(s.CStrOrNull(), nullptr);
                EXPECT_EQ(Text(s.CStrOrNull()), Text());
                EXPECT_EQ(Text(s.CStr()), Text());
                EXPECT_EQ(s.Buffer(), nullptr);
                break;
            case State::kSet:
                EXPECT_EQ(s.GetSize(), Text(setText).size() + 1);
                EXPECT_EQ(s.CStrOrNull(), s.CStr());
                EXPECT_EQ(Text(s.CStr()), Text(setText));
                EXPECT_NE(s.Buffer(), nullptr);
                break;
        }
    }
};

using StringTypes = testing::Types<M7LString, M7LWideString>;
TYPED_TEST_SUITE(OwnedStringTest, StringTypes);

// Every way of giving a string a value must carry the source's state over,
// whatever the target held before (same size as the source, or not).
TYPED_TEST(OwnedStringTest, EveryOperationCarriesTheSourceState) {
    using S = TypeParam;
    using Unit = typename TestFixture::Unit;
    struct Operation {
        const char* name;
        void (*apply)(std::optional<S>& target, const Unit* text);
    };
    const Operation operations[] = {
        {"construct", [](std::optional<S>& t, const Unit* text) { t.emplace(text); }},
        {"copy-construct",
         [](std::optional<S>& t, const Unit* text) {
             const S source(text);
             t.emplace(source);
         }},
        {"move-construct",
         [](std::optional<S>& t, const Unit* text) {
             S source(text);
             t.emplace(std::move(source));
         }},
        {"operator=",
         [](std::optional<S>& t, const Unit* text) {
             const S source(text);
             *t = source;
         }},
        {"move operator=",
         [](std::optional<S>& t, const Unit* text) {
             S source(text);
             *t = std::move(source);
         }},
        {"AssignCopy",
         [](std::optional<S>& t, const Unit* text) {
             const S source(text);
             t->AssignCopy(source);
         }},
        {"Assign", [](std::optional<S>& t, const Unit* text) { t->Assign(text); }},
    };
    struct Prior {
        const char* name;
        const Unit* text;
    };
    const Prior priors[] = {
        {"unset", nullptr},
        {"empty", Texts<S>::kEmpty},
        {"same size", Texts<S>::kXyz},
        {"other size", Texts<S>::kLonger},
    };
    for (const Operation& operation : operations) {
        for (const Prior& prior : priors) {
            for (State source : {State::kUnset, State::kEmpty, State::kSet}) {
                SCOPED_TRACE(testing::Message()
                             << operation.name << " of " << Name(source) << " onto " << prior.name);
                std::optional<S> target;
                target.emplace(prior.text);
                operation.apply(target, TestFixture::TextOf(source));
                TestFixture::ExpectState(*target, source, Texts<S>::kAbc);
            }
        }
    }
}

TYPED_TEST(OwnedStringTest, AllocateKeepsTheSameSizeAndDropsBuffersBelowTwo) {
    using S = TypeParam;
    using Unit = typename TestFixture::Unit;
    struct Case {
        const Unit* initial;
        std::uint32_t size;
        bool result;
        State state;
    };
    // The current size keeps the text.
    const Case cases[] = {
        {Texts<S>::kAbc, 4, true, State::kSet},    {Texts<S>::kAbc, 0, false, State::kUnset},
        {Texts<S>::kAbc, 1, false, State::kEmpty}, {Texts<S>::kEmpty, 1, false, State::kEmpty},
        {nullptr, 0, false, State::kUnset},        {nullptr, 1, false, State::kEmpty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Allocate(" << c.size << ")");
        S s(c.initial);
        EXPECT_EQ(s.Allocate(c.size), c.result);
        TestFixture::ExpectState(s, c.state, Texts<S>::kAbc);
    }
}

TYPED_TEST(OwnedStringTest, AllocateOfANewSizeGivesATerminatedBuffer) {
    using S = TypeParam;
    for (const std::uint32_t size : {2u, 3u, 64u}) {
        SCOPED_TRACE(testing::Message() << "Allocate(" << size << ")");
        S s(Texts<S>::kAbc);
        ASSERT_TRUE(s.Allocate(size));
        EXPECT_EQ(s.GetSize(), size);
        ASSERT_NE(s.Buffer(), nullptr);
        EXPECT_EQ(s.Buffer()[size - 1], 0);
        EXPECT_LT(typename TestFixture::Text(s.CStr()).size(), size);
    }
}

TYPED_TEST(OwnedStringTest, SelfAssignmentAndOwnTextAreSafe) {
    using S = TypeParam;
    using Text = typename TestFixture::Text;
    {
        S s(Texts<S>::kAbc);
        const S& alias = s;
        s.AssignCopy(alias);
        s = alias;
        TestFixture::ExpectState(s, State::kSet, Texts<S>::kAbc);
    }
    {
        S s(Texts<S>::kAbc);
        s.Assign(s.CStr());
        TestFixture::ExpectState(s, State::kSet, Texts<S>::kAbc);
    }
    {
        // The tail of the own buffer must be read before that buffer goes.
        S s(Texts<S>::kAbc);
        s.Assign(s.CStr() + 1);
        TestFixture::ExpectState(s, State::kSet, Texts<S>::kBc);
    }
    {
        S s(Texts<S>::kAbc);
        s.Assign(s.CStr() + Text(Texts<S>::kAbc).size());
        TestFixture::ExpectState(s, State::kEmpty, nullptr);
    }
}

TYPED_TEST(OwnedStringTest, StringsHeldInAGrowingVectorKeepTheirOwnText) {
    using S = TypeParam;
    using Text = typename TestFixture::Text;
    constexpr int kStringCount = 100;
    std::vector<S> strings;
    std::vector<Text> expected;
    for (int i = 0; i < kStringCount; ++i) {
        const Text text(static_cast<std::size_t>(i % 7),
                        static_cast<typename TestFixture::Unit>('a' + i % 26));
        strings.emplace_back(i % 5 == 0 ? nullptr : text.c_str());
        expected.push_back(text);
    }
    std::vector<S> copies = strings;
    std::vector<S> assigned(kStringCount, S(Texts<S>::kLonger));
    assigned = copies;
    strings.clear();
    for (int i = 0; i < kStringCount; ++i) {
        SCOPED_TRACE(i);
        const State state = i % 5 == 0            ? State::kUnset
                            : expected[i].empty() ? State::kEmpty
                                                  : State::kSet;
        TestFixture::ExpectState(copies[i], state, expected[i].c_str());
        TestFixture::ExpectState(assigned[i], state, expected[i].c_str());
    }
}

TEST(M7LStringTest, EqualsTellsTheThreeStatesApartAndComparesExactly) {
    struct Case {
        const char* value;
        const char* other;
        bool equal;
    };
    const Case cases[] = {
        {nullptr, nullptr, true}, {nullptr, "", false},   {nullptr, "a", false},
        {"", nullptr, false},     {"", "", true},         {"", "a", false},
        {"abc", nullptr, false},  {"abc", "", false},     {"abc", "abc", true},
        {"abc", "ab", false},     {"abc", "abcd", false}, {"abc", "ABC", false},
        {"abc", "abC", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.value ? c.value : "(null)") << " vs " << (c.other ? c.other : "(null)"));
        EXPECT_EQ(M7LString(c.value).Equals(c.other), c.equal);
    }
}

TEST(M7LStringTest, ClearMakesTheStringUnset) {
    for (const char* text : {static_cast<const char*>(nullptr), "", "abc"}) {
        M7LString s(text);
        s.Clear();
        EXPECT_EQ(s.GetSize(), 0u);
        EXPECT_EQ(s.CStrOrNull(), nullptr);
        EXPECT_TRUE(s.Equals(nullptr));
    }
}

}  // namespace
