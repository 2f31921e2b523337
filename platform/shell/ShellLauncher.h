// What "open" does with a file or an address: the decision and the argument
// vector are pure so they can be checked without starting anything; the
// process is started by a replaceable spawner.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tw::shell {

struct OpenCommand {
    // 0 when argv is ready to run, else the SE_ERR_* value ShellExecute answers.
    int error = 0;
    std::vector<std::string> argv;
    // Where the program starts; empty: the current directory.
    std::string directory;
};

// The command that opens `file` with the default verb: addresses (http,
// https, ftp, mailto) and existing non-executable files go to the desktop's
// opener; an executable file runs itself with `parameters` split as a
// command line. Other schemes and other verbs are refused.
OpenCommand BuildOpenCommand(const char* verb, const char* file, const char* parameters, const char* directory);

// A command line split the platform's way: blanks separate, double quotes
// group, backslashes escape only quotes.
std::vector<std::string> SplitCommandLine(const std::string& line);

class ProcessSpawner {
public:
    virtual ~ProcessSpawner() = default;
    // Starts argv[0] (searched in PATH) detached from us; errno-style 0 on success.
    virtual int Spawn(const std::vector<std::string>& argv, const std::string& directory) = 0;
};

// Replaces the spawner the shell uses; returns the one it had. Null restores
// the real one.
std::shared_ptr<ProcessSpawner> SetProcessSpawner(std::shared_ptr<ProcessSpawner> spawner);

}  // namespace tw::shell
