// strivelo-host: the plug-in's main jobs, headless, in a stand-in host.
#include <iostream>
#include <string>
#include <vector>

#include "DriverCommands.h"
#include "DriverHost.h"
#include "DriverOptions.h"

namespace {

int Run(const driver::DriverOptions& options, const std::string& programPath) {
    using namespace driver;
    if (options.command == "types") {
        return RunTypes(std::cout);
    }
    DriverHost host(std::cerr);
    const std::string started =
        host.Start(options.Value("--plugin", DefaultPluginPath(programPath)),
                   options.Value("--prefs", DefaultPreferencesPath()));
    if (!started.empty()) {
        host.Say() << started << '\n';
        return kExitRefused;
    }
    int status = kExitRefused;
    if (options.command == "make") {
        status = RunMake(options, host, std::cout);
    } else if (options.command == "read") {
        status = RunRead(options, host, std::cout);
    } else if (options.command == "check") {
        status = RunCheck(options, host, std::cout);
    } else if (options.command == "change-bwr") {
        status = RunChangeBwr(options, host, std::cout);
    } else if (options.command == "fix-deviation") {
        status = RunFixDeviation(options, host, std::cout);
    }
    if (const std::string error = host.Finish(); !error.empty()) {
        host.Say() << "the preferences were not saved: " << error << '\n';
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const driver::ParsedOptions parsed = driver::ParseOptions(arguments);
    if (!parsed.options) {
        std::cerr << "strivelo-host: " << parsed.error << " (see strivelo-host --help)\n";
        return driver::kExitUsage;
    }
    if (parsed.options->help) {
        std::cout << driver::UsageText();
        return driver::kExitDone;
    }
    return Run(*parsed.options, argv[0]);
}
