#include "cli_runner.h"

#include <fcntl.h>
#include <pty.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace test {
namespace {

// Reads what is left on a pseudo-terminal's master side.
std::string DrainTerminal(int master)
{
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

[[noreturn]] void ExecCli(const std::vector<std::string>& arguments, int out, int err, const CliEnvironment& environment)
{
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (environment.fileSizeLimit) {
        const rlimit limit{*environment.fileSizeLimit, *environment.fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(VELTRANE_CLI)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(VELTRANE_CLI, argv.data());
    _exit(127);
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments, const CliEnvironment& environment)
{
    const TempDir outputs;
    const int out = open(outputs.Path("out").c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    int err = open(outputs.Path("err").c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    int master = -1;
    if (environment.stderrIsTerminal) {
        close(err);
        if (openpty(&master, &err, nullptr, nullptr, nullptr) != 0)
            throw std::runtime_error("no pseudo-terminal");
    }
    const pid_t child = fork();
    if (child == 0)
        ExecCli(arguments, out, err, environment);
    close(out);
    close(err);
    int status = 0;
    waitpid(child, &status, 0);

    CliResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadBytes(outputs.Path("out"));
    if (master >= 0) {
        result.err = DrainTerminal(master);
        close(master);
    } else {
        result.err = ReadBytes(outputs.Path("err"));
    }
    return result;
}

}  // namespace test
