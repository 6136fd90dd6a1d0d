#include "M7LIO_StructuredIOR.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Records the element calls it receives in a log shared with other
// receivers, so the order across a parent and its child shows. It knows one
// scalar, "Count", and hands the element named by delegateName to child.
class RecordingReceiver : public M7LIO_StructuredIOR {
public:
    RecordingReceiver(std::string label, Log& log) : label_(std::move(label)), log_(log) {}

    void DelegateTo(M7LIO_StructuredIOR* child, std::string name) {
        child_ = child;
        delegateName_ = std::move(name);
    }

    bool BeginDocument() override { return true; }
    bool EndDocument() override { return true; }
    M7LIO_StructuredIOR* BeginElement(const char* name, int extra) override {
        log_.push_back(label_ + " begin " + name);
        if (child_ != nullptr && delegateName_ == name) {
            return DelegateElement(child_, name, extra);
        }
        return this;
    }
    M7LIO_StructuredIOR* EndElement() override {
        log_.push_back(label_ + " end");
        return this;
    }
    bool PutString(const char*, const char*) override { return false; }
    bool PutWideString(const char*, const char16_t*) override { return false; }
    bool PutInteger(const char*, std::int32_t) override { return false; }
    bool PutReal(const char*, double) override { return false; }
    bool PutBoolean(const char*, bool) override { return false; }
    bool PutAttributeString(const char*, const char*) override { return false; }
    bool PutBinary(const char*, const std::uint8_t*, std::size_t) override { return false; }
    bool PutScrambledBinary(const char*, const std::uint8_t*, std::size_t) override {
        return false;
    }
    int TypeOf(const char* name) const override {
        return std::strcmp(name, "Count") == 0 ? kM7LIO_Integer : kM7LIO_Unknown;
    }

private:
    std::string label_;
    Log& log_;
    M7LIO_StructuredIOR* child_ = nullptr;
    std::string delegateName_;
};

TEST(StructuredIOR, RootNameIsAnElementOnlyBeforeItOpens) {
    Log log;
    RecordingReceiver receiver("r", log);
    // The reader passes its tag buffer, which it overwrites with every tag.
    char tagBuffer[16] = "Profile";
    ASSERT_TRUE(receiver.StartDocument(tagBuffer, nullptr));
    std::strcpy(tagBuffer, "Other");

    EXPECT_EQ(receiver.LookUpType("Profile"), kM7LIO_Element);
    EXPECT_EQ(receiver.LookUpType("Other"), kM7LIO_Unknown);
    EXPECT_EQ(receiver.LookUpType("Count"), kM7LIO_Integer);

    receiver.OpenElement("Profile", 0);
    EXPECT_EQ(receiver.LookUpType("Profile"), kM7LIO_Unknown);
    EXPECT_EQ(receiver.LookUpType("Count"), kM7LIO_Integer);

    RecordingReceiver unnamed("u", log);
    ASSERT_TRUE(unnamed.StartDocument(nullptr, nullptr));
    EXPECT_EQ(unnamed.LookUpType("Profile"), kM7LIO_Unknown);
}

TEST(StructuredIOR, DelegatedElementEndsInTheChildAndThenTheParent) {
    Log log;
    RecordingReceiver parent("parent", log);
    RecordingReceiver child("child", log);
    parent.DelegateTo(&child, "Test");

    ASSERT_TRUE(parent.StartDocument("Profile", nullptr));
    ASSERT_EQ(parent.OpenElement("Profile", 0), &parent);
    ASSERT_EQ(parent.OpenElement("Test", 0), &child);
    EXPECT_EQ(child.GetParent(), &parent);
    EXPECT_EQ(child.LookUpType("Test"), kM7LIO_Unknown);
    ASSERT_EQ(child.OpenElement("Inner", 0), &child);
    EXPECT_EQ(log, (Log{"parent begin Profile", "parent begin Test", "child begin Test",
                        "child begin Inner"}));
    EXPECT_EQ(parent.GetDepth(), 2);
    EXPECT_EQ(child.GetDepth(), 2);

    log.clear();
    EXPECT_EQ(child.CloseElement(), &child);
    EXPECT_EQ(log, Log{"child end"});
    EXPECT_EQ(parent.GetDepth(), 2);
    EXPECT_EQ(child.GetDepth(), 1);

    log.clear();
    EXPECT_EQ(child.CloseElement(), &parent);
    EXPECT_EQ(log, (Log{"child end", "parent end"}));
    EXPECT_EQ(parent.GetDepth(), 1);
    EXPECT_EQ(child.GetDepth(), 0);

    log.clear();
    EXPECT_EQ(parent.CloseElement(), &parent);
    EXPECT_EQ(log, Log{"parent end"});
    EXPECT_EQ(parent.GetDepth(), 0);

    EXPECT_TRUE(child.FinishDocument());
    EXPECT_EQ(child.GetParent(), nullptr);
}

TEST(StructuredIOR, CloseAtDepthZeroWithoutParentEndsOnce) {
    Log log;
    RecordingReceiver receiver("r", log);
    ASSERT_TRUE(receiver.StartDocument("Profile", nullptr));
    EXPECT_EQ(receiver.CloseElement(), &receiver);
    EXPECT_EQ(log, Log{"r end"});
    EXPECT_EQ(receiver.GetDepth(), 0);
}

}  // namespace
