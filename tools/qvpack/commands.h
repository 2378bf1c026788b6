// The subcommands of qvpack. Each takes the arguments after its name and returns
// the process exit code: 0 on success, 1 when the work failed, 2 on a usage error.
#pragma once

#include <string>
#include <vector>

namespace qvpack {

using Arguments = std::vector<std::string>;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int runBuild(const Arguments& args);
int runSetup(const Arguments& args);
int runList(const Arguments& args);
int runTest(const Arguments& args);
int runExtract(const Arguments& args);

}  // namespace qvpack
