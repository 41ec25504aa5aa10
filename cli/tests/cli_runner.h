#pragma once

#include <optional>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace test {

struct CliResult {
    int status = -1;  // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

struct CliEnvironment {
    std::optional<rlim_t> fileSizeLimit;  // RLIMIT_FSIZE of the program
    bool stderrIsTerminal = false;        // stderr goes to a pseudo-terminal
};

// Runs the built veltrane-cli with arguments and collects what it printed.
CliResult RunCli(const std::vector<std::string>& arguments, const CliEnvironment& environment = {});

}  // namespace test
