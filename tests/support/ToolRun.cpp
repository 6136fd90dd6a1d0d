#include "ToolRun.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "TempFolder.h"

namespace {

constexpr std::size_t kOutputChunkBytes = 4096;

}  // namespace

ToolRun RunTool(const std::string& command) {
    const TempFolder folder;
    const std::string errors = folder / "errors";
    ToolRun run{-1, {}, {}};
    FILE* pipe = ::popen((command + " 2>'" + errors + "'").c_str(), "r");
    if (pipe == nullptr) {
        run.errors = "cannot run " + command;
        return run;
    }
    char chunk[kOutputChunkBytes];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) {
        run.output.append(chunk, n);
    }
    const int status = ::pclose(pipe);
    std::ifstream in(errors, std::ios::binary);
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
