#pragma once

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "M7LIO_StructuredIOR.h"

// A receiver for tests that records every call with its arguments as one
// text line, answers TypeOf from a table and hands named elements to child
// receivers the way a persistent class does: the child gets the element's
// content and is finished when the parent hears that the element ended.
// Children record into their parent's log, each line after their label.
class RecordingReceiver : public M7LIO_StructuredIOR {
public:
    using TypeTable = std::map<std::string, int, std::less<>>;

    explicit RecordingReceiver(TypeTable types, std::string label = {})
        : types_(std::move(types)),
          label_(std::move(label)),
          log_(std::make_shared<std::vector<std::string>>()) {}

    void DelegateTo(const std::string& elementName, RecordingReceiver& child) {
        children_[elementName] = &child;
        child.ShareLog(log_);
    }
    // BeginElement answers null for this name.
    void RefuseElement(const std::string& elementName) { refused_.insert(elementName); }

    const std::vector<std::string>& Log() const { return *log_; }
    void ClearLog() { log_->clear(); }

    bool BeginDocument() override { return Record("BeginDocument"); }
    bool EndDocument() override { return Record("EndDocument"); }

    M7LIO_StructuredIOR* BeginElement(const char* name, int extra) override {
        Record("BeginElement(" + std::string(name) + ")");
        if (refused_.count(name) != 0) {
            return nullptr;
        }
        const auto child = children_.find(name);
        if (child == children_.end()) {
            return this;
        }
        activeChild_ = child->second;
        return DelegateElement(activeChild_, name, extra);
    }

    M7LIO_StructuredIOR* EndElement() override {
        Record("EndElement");
        if (activeChild_ != nullptr) {
            activeChild_->FinishDocument();
            activeChild_ = nullptr;
        }
        return this;
    }

    bool PutString(const char* name, const char* text) override {
        return Record(Call("PutString", name, text));
    }
    bool PutWideString(const char* name, const char16_t* text) override {
        std::string shown;
        for (const char16_t* unit = text; *unit != 0; ++unit) {
            if (*unit >= 0x20 && *unit < 0x7F) {
                shown += static_cast<char>(*unit);
            } else {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(*unit));
                shown += escaped;
            }
        }
        return Record(Call("PutWideString", name, shown));
    }
    bool PutInteger(const char* name, std::int32_t value) override {
        return Record(Call("PutInteger", name, std::to_string(value)));
    }
    // The shortest text that reads back as the same double.
    bool PutReal(const char* name, double value) override {
        char text[32];
        const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
        return Record(Call("PutReal", name, std::string(text, r.ptr)));
    }
    bool PutBoolean(const char* name, bool value) override {
        return Record(Call("PutBoolean", name, value ? "true" : "false"));
    }
    bool PutAttributeString(const char* name, const char* text) override {
        return Record(Call("PutAttributeString", name, text));
    }
    bool PutBinary(const char* name, const std::uint8_t* bytes, std::size_t count) override {
        return Record(Call("PutBinary", name, Hex(bytes, count)));
    }
    bool PutScrambledBinary(const char* name, const std::uint8_t* bytes,
                            std::size_t count) override {
        return Record(Call("PutScrambledBinary", name, Hex(bytes, count)));
    }

    int TypeOf(const char* name) const override {
        const auto entry = types_.find(std::string_view(name));
        return entry == types_.end() ? kM7LIO_Unknown : entry->second;
    }

    static std::string Hex(const std::uint8_t* bytes, std::size_t count) {
        static constexpr char kDigits[] = "0123456789abcdef";
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += kDigits[bytes[i] >> 4];
            text += kDigits[bytes[i] & 0x0F];
        }
        return text;
    }

private:
    void ShareLog(const std::shared_ptr<std::vector<std::string>>& log) {
        log_ = log;
        for (auto& [name, child] : children_) {
            child->ShareLog(log);
        }
    }

    static std::string Call(const char* operation, const char* name, std::string_view value) {
        return std::string(operation) + "(" + name + ", " + std::string(value) + ")";
    }

    bool Record(const std::string& line) {
        log_->push_back(label_.empty() ? line : label_ + ": " + line);
        return true;
    }

    TypeTable types_;
    std::string label_;
    std::shared_ptr<std::vector<std::string>> log_;
    std::map<std::string, RecordingReceiver*, std::less<>> children_;
    std::set<std::string, std::less<>> refused_;
    RecordingReceiver* activeChild_ = nullptr;
};
