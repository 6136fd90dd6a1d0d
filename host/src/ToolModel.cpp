// "AI Tool Suite" over the tool model.
#include "ToolModel.h"

#include <algorithm>

namespace standin {

ToolModel::ToolModel(HostCore& core)
    : calls_(core, host::kAiToolSuite), handles_(core.GetViolations(), "tool") {
    static const host::AiToolSuite suite{
        &Forward<&ToolModel::GetToolNumberFromName>::Call,
        &Forward<&ToolModel::AddTool>::Call,
        &Forward<&ToolModel::SetSecondIcon>::Call,
    };
    core.Provide(host::kAiToolSuite.name, &suite);
}

const ToolRecord* ToolModel::FindTool(std::string_view name) const {
    const auto found = std::find_if(tools_.begin(), tools_.end(),
                                    [name](const ToolRecord& tool) { return tool.name == name; });
    return found == tools_.end() ? nullptr : &*found;
}

const ToolRecord* ToolModel::FindNumber(std::int32_t number) const {
    const auto found = std::find_if(tools_.begin(), tools_.end(), [number](const ToolRecord& tool) {
        return tool.number == number;
    });
    return found == tools_.end() ? nullptr : &*found;
}

host::Error ToolModel::GetToolNumberFromName(const char* name, std::int32_t* number) {
    if (const host::Error error =
            calls_.Enter("GetToolNumberFromName", name != nullptr && number != nullptr)) {
        return error;
    }
    const ToolRecord* tool = FindTool(name);
    if (tool == nullptr) {
        return host::kErrorNotFound;
    }
    *number = tool->number;
    return host::kNoError;
}

host::Error ToolModel::Place(const host::ToolData& data, std::int32_t number, std::int32_t* group,
                             std::int32_t* toolset) {
    static constexpr std::string_view kFunction = "AddTool";
    if (data.group == host::kToolNew) {
        if (data.toolset != host::kToolNew) {
            return calls_.BadArgument(kFunction, "an existing toolset in a new group");
        }
        *group = number;
        *toolset = number;
        return host::kNoError;
    }
    const ToolRecord* groupTool = FindNumber(data.group);
    if (groupTool == nullptr) {
        return calls_.BadArgument(kFunction, "group of no tool " + std::to_string(data.group));
    }
    *group = groupTool->group;
    if (data.toolset == host::kToolNew) {
        *toolset = number;
        return host::kNoError;
    }
    const ToolRecord* toolsetTool = FindNumber(data.toolset);
    if (toolsetTool == nullptr || toolsetTool->group != groupTool->group) {
        return calls_.BadArgument(kFunction, "toolset " + std::to_string(data.toolset) +
                                                 " is not in the group of tool " +
                                                 std::to_string(data.group));
    }
    *toolset = toolsetTool->toolset;
    return host::kNoError;
}

host::Error ToolModel::AddTool(host::PluginRef plugin, const char* name, const host::ToolData* data,
                               std::int32_t options, host::Tool* tool) {
    static constexpr std::string_view kFunction = "AddTool";
    const bool present = name != nullptr && data != nullptr && data->title != nullptr &&
                         data->tip != nullptr && tool != nullptr;
    if (const host::Error error = calls_.Enter(kFunction, present)) {
        return error;
    }
    if (const auto answer =
            calls_.Admit(kFunction, plugin, name, FindTool(name) != nullptr, tool)) {
        return *answer;
    }
    const std::int32_t number = kFirstToolNumber + static_cast<std::int32_t>(tools_.size());
    std::int32_t group = 0;
    std::int32_t toolset = 0;
    if (const host::Error error = Place(*data, number, &group, &toolset)) {
        return error;
    }
    const host::Tool added = handles_.Issue(tools_.size());
    tools_.push_back({added,
                      plugin,
                      name,
                      data->title,
                      data->tip,
                      data->icon,
                      {},
                      options,
                      number,
                      group,
                      toolset});
    *tool = added;
    return host::kNoError;
}

host::Error ToolModel::SetSecondIcon(host::Tool tool, host::Icon icon) {
    std::size_t* index = nullptr;
    if (const host::Error error = calls_.Enter("SetSecondIcon", true, handles_, tool, &index)) {
        return error;
    }
    tools_[*index].secondIcon = icon;
    return host::kNoError;
}

}  // namespace standin
