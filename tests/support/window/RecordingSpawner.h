// A process spawner that starts nothing and keeps every argument vector it
// was asked to run, so tests see what the shell would open.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/ShellLauncher.h"

namespace tw::test {

class RecordingSpawner : public tw::shell::ProcessSpawner {
public:
    int Spawn(const std::vector<std::string>& argv, const std::string&) override
    {
        runs.push_back(argv);
        return 0;
    }
    std::vector<std::vector<std::string>> runs;
};

}  // namespace tw::test
