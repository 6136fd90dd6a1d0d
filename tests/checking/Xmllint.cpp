#include "Xmllint.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "TempFolder.h"

namespace {

constexpr std::size_t kOutputChunkBytes = 4096;

}  // namespace

XmllintResult RunXmllint(const std::string& options, const std::string& path) {
    const TempFolder folder;
    const std::string errors = folder / "errors";
    const std::string command = "xmllint " + options + " '" + path + "' 2>'" + errors + "'";
    XmllintResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        result.diagnostics = "cannot run xmllint";
        return result;
    }
    char chunk[kOutputChunkBytes];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) {
        result.output.append(chunk, n);
    }
    const int status = ::pclose(pipe);
    std::ifstream in(errors, std::ios::binary);
    result.diagnostics.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.diagnostics += "xmllint failed (exit status " + std::to_string(WEXITSTATUS(status)) +
                              "; scripts/install-deps.sh installs libxml2-utils)";
    }
    return result;
}
