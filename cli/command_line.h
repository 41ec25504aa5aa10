#pragma once

// Parses the arguments, runs the command they name and returns the exit status.
int RunCommandLine(int argc, char** argv);
