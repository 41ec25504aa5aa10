// veltrane-cli: lists and rewrites the texture paths of MLOD models.
#include <csignal>
#include <cstdio>

#include "cli/command_line.h"
#include "cli/exit_status.h"

int main(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file-size limit a write then fails with EFBIG, reported as a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const int status = RunCommandLine(argc, argv);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("veltrane-cli: the output could not be written\n", stderr);
        return status == kAllDone ? kSomeFailed : status;
    }
    return status;
}
