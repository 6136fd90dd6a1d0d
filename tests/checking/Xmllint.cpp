#include "Xmllint.h"

#include "ToolRun.h"

XmllintResult RunXmllint(const std::string& options, const std::string& path) {
    const ToolRun run = RunTool("xmllint " + options + " '" + path + "'");
    XmllintResult result{run.output, run.errors};
    if (run.status != 0) {
        result.diagnostics += "xmllint failed (exit status " + std::to_string(run.status) +
                              "; scripts/install-deps.sh installs libxml2-utils)";
    }
    return result;
}
