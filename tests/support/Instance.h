// Runs the test program again as another instance of the program, for tests
// of what two processes do to one file, or of a process killed mid-write.
// The other instance runs one test, chosen by name, that finds its orders in
// the environment (and skips itself when started the usual way).
#pragma once

#include <sys/types.h>

#include <map>
#include <string>

namespace tw::test {

// Starts "<this program> --gtest_filter=<test>" with extra environment
// variables, in this process's working folder (relative paths name the same
// files); the process id, or -1.
// errorFile: where its standard error goes (empty: shared with this process).
pid_t StartInstance(const std::string& test, const std::map<std::string, std::string>& env,
                    const std::string& errorFile = {});

// Waits for an instance; its exit code, or 128 + the signal that ended it.
int WaitInstance(pid_t pid);

// Both of the above.
int RunInstance(const std::string& test, const std::map<std::string, std::string>& env,
                const std::string& errorFile = {});

}  // namespace tw::test
