#pragma once

// The exit statuses of veltrane-cli.
inline constexpr int kAllDone = 0;
inline constexpr int kSomeFailed = 1;
inline constexpr int kBadUsage = 2;
