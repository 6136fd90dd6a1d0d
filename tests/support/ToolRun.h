#pragma once

#include <string>

// A command line run through the shell: its exit status (-1 when it did not
// run to an end), what it wrote to standard output and to standard error.
// A tool that is not installed answers 127 from the shell; tests treat that
// as a failure, never as a reason to skip.
struct ToolRun {
    int status;
    std::string output;
    std::string errors;
};
ToolRun RunTool(const std::string& command);
