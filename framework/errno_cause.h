#pragma once

// The CFileException cause nearest to a POSIX errno value; for the POSIX backends.
int ErrnoToCause(int error);
