#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "HandleTable.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AiSuites.h"

namespace standin {

struct ToolRecord {
    host::Tool handle;
    host::PluginRef plugin;
    std::string name;
    std::string title;
    std::string tip;
    host::Icon icon;
    host::Icon secondIcon;
    std::int32_t options;
    std::int32_t number;
    // A group and a toolset are named by the number of their first tool.
    std::int32_t group;
    std::int32_t toolset;
};

// The tools added through "AI Tool Suite", numbered in the order they were
// added, each in a group and, inside it, a toolset.
class ToolModel : public ActiveInstance<ToolModel> {
public:
    static constexpr std::int32_t kFirstToolNumber = 1;

    explicit ToolModel(HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    const std::vector<ToolRecord>& Tools() const { return tools_; }
    // Null when there is no tool of that name.
    const ToolRecord* FindTool(std::string_view name) const;

    host::Error GetToolNumberFromName(const char* name, std::int32_t* number);
    host::Error AddTool(host::PluginRef plugin, const char* name, const host::ToolData* data,
                        std::int32_t options, host::Tool* tool);
    host::Error SetSecondIcon(host::Tool tool, host::Icon icon);

private:
    const ToolRecord* FindNumber(std::int32_t number) const;
    // The group and toolset of a new tool with that number, or the error.
    host::Error Place(const host::ToolData& data, std::int32_t number, std::int32_t* group,
                      std::int32_t* toolset);

    SuiteCalls calls_;
    std::vector<ToolRecord> tools_;
    HandleTable<host::Tool, std::size_t> handles_;
};

}  // namespace standin
