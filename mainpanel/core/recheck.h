// The Recheck of the select forms: the installer's free-space estimator is
// run again and its answer replaces the free space the form started with.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace trev {

// "<root>/install/bin.sun4v/freeDisk" and "<root>/install/tmp/freeDisk.out".
std::string freeDiskEstimatorPath(const std::string& root);
std::string freeDiskResultPath(const std::string& root);

// Runs the estimator through the shell `bourne` (the value of $BOURNE, or
// nullptr when unset) with the result file as its argument, waits for it,
// and reads the free space from the result file, which is then removed.
// `started` is called once the estimator runs, `ended` once it is over (the
// form shows a busy cursor meanwhile).  Returns the free space, or nothing
// after a message on `diag`; an estimator that exits with a status other
// than 0 leaves its result file alone.
std::optional<std::int64_t> recheckFreeDisk(const char* bourne, const std::string& root,
                                            std::FILE* diag, const std::function<void()>& started,
                                            const std::function<void()>& ended);

}  // namespace trev
