#pragma once

namespace runner {

enum ExitCode { kAllPassed = 0, kNotAllPassed = 1, kUsageError = 2 };

// pellion-run: parses the arguments and runs, exports or imports; answers the exit status.
int runRunner(int argc, char **argv);

} // namespace runner
