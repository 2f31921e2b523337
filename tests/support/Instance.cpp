#include "tests/support/Instance.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

extern char** environ;

namespace tw::test {

pid_t StartInstance(const std::string& test, const std::map<std::string, std::string>& env,
                    const std::string& errorFile)
{
    std::vector<std::string> strings;
    for (char** e = environ; *e; ++e) {
        const char* equals = strchr(*e, '=');
        if (equals && env.count(std::string(*e, static_cast<size_t>(equals - *e))))
            continue;
        strings.emplace_back(*e);
    }
    for (const auto& [name, value] : env)
        strings.push_back(name + "=" + value);
    char here[4096];
    if (!env.count("TARNWICK_TEST_DIR") && getcwd(here, sizeof here))
        strings.push_back(std::string("TARNWICK_TEST_DIR=") + here);
    std::vector<char*> envp;
    for (auto& s : strings)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    std::string filter = "--gtest_filter=" + test;
    std::string quiet = "--gtest_brief=1";
    char program[] = "/proc/self/exe";
    char* argv[] = {program, filter.data(), quiet.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int WaitInstance(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

int RunInstance(const std::string& test, const std::map<std::string, std::string>& env,
                const std::string& errorFile)
{
    const pid_t pid = StartInstance(test, env, errorFile);
    return pid < 0 ? -1 : WaitInstance(pid);
}

}  // namespace tw::test
