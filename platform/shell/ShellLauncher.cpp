#include "platform/shell/ShellLauncher.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <mutex>
#include <thread>

#include "platform/shell/shellapi.h"

namespace tw::shell {

namespace {

constexpr const char* kDesktopOpener = "xdg-open";

std::string LowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// "http" of "http://x"; empty for plain paths. One letter is a drive, not a scheme.
std::string SchemeOf(const std::string& target)
{
    const auto colon = target.find(':');
    if (colon == std::string::npos || colon < 2)
        return {};
    if (!std::isalpha(static_cast<unsigned char>(target[0])))
        return {};
    for (size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(target[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return {};
    }
    return LowerAscii(target.substr(0, colon));
}

bool IsOpenableScheme(const std::string& scheme)
{
    return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto";
}

std::string ForwardSlashes(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

OpenCommand RefusedCommand(int error)
{
    OpenCommand command;
    command.error = error;
    return command;
}

OpenCommand LocalFileCommand(const std::string& file, const char* parameters, const std::string& directory)
{
    namespace fs = std::filesystem;
    fs::path path(ForwardSlashes(file));
    if (path.is_relative() && !directory.empty())
        path = fs::path(directory) / path;
    std::error_code ec;
    path = fs::absolute(path, ec).lexically_normal();
    if (ec)
        return RefusedCommand(SE_ERR_FNF);
    const auto status = fs::status(path, ec);
    if (!fs::exists(status)) {
        std::error_code parentError;
        return RefusedCommand(fs::is_directory(path.parent_path(), parentError) ? SE_ERR_FNF : SE_ERR_PNF);
    }
    OpenCommand command;
    command.directory = directory;
    const bool runsItself = fs::is_regular_file(status) && ::access(path.c_str(), X_OK) == 0;
    if (!runsItself) {
        command.argv = {kDesktopOpener, path.string()};
        return command;
    }
    command.argv.push_back(path.string());
    if (parameters) {
        auto arguments = SplitCommandLine(parameters);
        command.argv.insert(command.argv.end(), arguments.begin(), arguments.end());
    }
    return command;
}

// posix_spawn reports a program that cannot start; a detached waiter reaps
// the program when it ends, so it never lingers as a zombie.
class PosixSpawner : public ProcessSpawner {
public:
    int Spawn(const std::vector<std::string>& argv, const std::string& directory) override
    {
        if (argv.empty())
            return EINVAL;
        std::vector<char*> args;
        for (const auto& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!directory.empty())
            posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
        pid_t program = 0;
        const int err = ::posix_spawnp(&program, args[0], &actions, &attributes, args.data(), environ);
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        if (err)
            return err;
        std::thread([program] {
            int status = 0;
            while (::waitpid(program, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return 0;
    }
};

std::mutex& SpawnerMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<ProcessSpawner>& SpawnerSlot()
{
    static std::shared_ptr<ProcessSpawner> spawner = std::make_shared<PosixSpawner>();
    return spawner;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '\\') {
            size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++slashes;
                ++i;
            }
            inWord = true;
            const bool beforeQuote = i < line.size() && line[i] == '"';
            word.append(beforeQuote ? slashes / 2 : slashes, '\\');
            if (beforeQuote && slashes % 2) {
                word += '"';
                ++i;
            }
            continue;
        }
        ++i;
        if (c == '"') {
            inWord = true;
            quoted = !quoted;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            inWord = true;
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

OpenCommand BuildOpenCommand(const char* verb, const char* file, const char* parameters, const char* directory)
{
    if (verb && *verb && LowerAscii(verb) != "open")
        return RefusedCommand(SE_ERR_NOASSOC);
    if (!file || !*file)
        return RefusedCommand(SE_ERR_FNF);
    const std::string target(file);
    const std::string scheme = SchemeOf(target);
    if (!scheme.empty()) {
        if (!IsOpenableScheme(scheme))
            return RefusedCommand(SE_ERR_NOASSOC);
        OpenCommand command;
        command.argv = {kDesktopOpener, target};
        return command;
    }
    return LocalFileCommand(target, parameters, directory ? ForwardSlashes(directory) : std::string());
}

std::shared_ptr<ProcessSpawner> SetProcessSpawner(std::shared_ptr<ProcessSpawner> spawner)
{
    std::lock_guard lock(SpawnerMutex());
    auto previous = SpawnerSlot();
    SpawnerSlot() = spawner ? std::move(spawner) : std::make_shared<PosixSpawner>();
    return previous;
}

namespace detail {

std::shared_ptr<ProcessSpawner> CurrentSpawner()
{
    std::lock_guard lock(SpawnerMutex());
    return SpawnerSlot();
}

}  // namespace detail

}  // namespace tw::shell
