#include "platform/win32/gdi/PrinterSpooler.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <sstream>

namespace tw::gdi {

namespace {

struct ProgramResult {
    bool ran = false;
    int exitCode = -1;
    std::string output;
};

// Runs a program without a shell (posix_spawn: nothing runs between fork and
// exec in a process full of threads), its standard output captured and its
// standard error dropped.
ProgramResult RunProgram(const std::vector<std::string>& argv)
{
    ProgramResult result;
    if (argv.empty())
        return result;
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int err = ::posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err) {
        ::close(out[0]);
        ::close(out[1]);
        return result;
    }
    ::close(out[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(out[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
        if (got > 0)
            result.output.append(buffer, size_t(got));
    }
    ::close(out[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.ran = true;
    return result;
}

class CupsSpooler : public PrinterSpooler {
public:
    // "lpstat -e" prints one destination per line.
    std::vector<std::string> Printers() override
    {
        const auto listed = RunProgram({"lpstat", "-e"});
        std::vector<std::string> names;
        if (!listed.ran || listed.exitCode != 0)
            return names;
        std::istringstream lines(listed.output);
        std::string line;
        while (std::getline(lines, line)) {
            while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
                line.pop_back();
            if (!line.empty())
                names.push_back(line);
        }
        return names;
    }

    // "lpstat -d" says "system default destination: NAME" or that there is none.
    std::string DefaultPrinter() override
    {
        const auto answer = RunProgram({"lpstat", "-d"});
        const std::string marker = "destination: ";
        const auto at = answer.output.find(marker);
        if (!answer.ran || at == std::string::npos)
            return {};
        std::string name = answer.output.substr(at + marker.size());
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r' || name.back() == ' '))
            name.pop_back();
        return name;
    }

    bool Submit(const std::vector<std::string>& argv) override
    {
        const auto result = RunProgram(argv);
        return result.ran && result.exitCode == 0;
    }
};

std::mutex& SpoolerMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<PrinterSpooler>& SpoolerSlot()
{
    static std::shared_ptr<PrinterSpooler> spooler = std::make_shared<CupsSpooler>();
    return spooler;
}

}  // namespace

std::vector<std::string> PrintCommand(const std::string& printer, const std::string& title, int copies,
                                      const std::string& file)
{
    return {"lp", "-d", printer, "-n", std::to_string(copies < 1 ? 1 : copies), "-t", title, "--", file};
}

std::shared_ptr<PrinterSpooler> SetPrinterSpooler(std::shared_ptr<PrinterSpooler> spooler)
{
    std::lock_guard lock(SpoolerMutex());
    auto previous = SpoolerSlot();
    SpoolerSlot() = spooler ? std::move(spooler) : std::make_shared<CupsSpooler>();
    return previous;
}

std::shared_ptr<PrinterSpooler> CurrentPrinterSpooler()
{
    std::lock_guard lock(SpoolerMutex());
    return SpoolerSlot();
}

}  // namespace tw::gdi
