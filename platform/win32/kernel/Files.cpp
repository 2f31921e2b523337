#include "platform/win32/kernel/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <map>
#include <mutex>
#include <set>
#include <string_view>
#include <vector>

#include "platform/win32/kernel/Modules.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Time.h"

namespace tw {
namespace file_detail {

// --- share modes -------------------------------------------------------------

struct ShareEntry {
    DWORD access;
    DWORD share;
};

using FileKey = std::pair<dev_t, ino_t>;

struct ShareTable {
    std::mutex mutex;
    std::map<FileKey, std::list<ShareEntry>> opens;
};

ShareTable& Shares()
{
    static auto* table = new ShareTable;  // outlives threads still running at exit
    return *table;
}

constexpr DWORD kReadAccess = GENERIC_READ | GENERIC_ALL | FILE_READ_DATA;
constexpr DWORD kWriteAccess = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;
constexpr DWORD kDeleteAccess = DELETE;

bool Conflicts(const ShareEntry& existing, const ShareEntry& wanted)
{
    auto clash = [](const ShareEntry& a, const ShareEntry& b) {
        return ((a.access & kReadAccess) && !(b.share & FILE_SHARE_READ)) ||
               ((a.access & kWriteAccess) && !(b.share & FILE_SHARE_WRITE)) ||
               ((a.access & kDeleteAccess) && !(b.share & FILE_SHARE_DELETE));
    };
    return clash(wanted, existing) || clash(existing, wanted);
}

bool KeyOf(const std::string& path, FileKey& key)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    key = {st.st_dev, st.st_ino};
    return true;
}

// True when some open of the file does not share deletion (or renaming).
bool OpenedWithoutDeleteShare(const std::string& path)
{
    FileKey key;
    if (!KeyOf(path, key))
        return false;
    auto& table = Shares();
    std::lock_guard lock(table.mutex);
    auto it = table.opens.find(key);
    if (it == table.opens.end())
        return false;
    return std::any_of(it->second.begin(), it->second.end(),
                       [](const ShareEntry& e) { return !(e.share & FILE_SHARE_DELETE); });
}

// --- path mapping ------------------------------------------------------------

bool EqualNoCase(const char* a, const char* b)
{
    return strcasecmp(a, b) == 0;
}

// The entry of dir whose name equals name without case, or "".
std::string FindEntryNoCase(const std::string& dir, const std::string& name)
{
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return {};
    std::string found;
    while (dirent* e = readdir(d)) {
        if (EqualNoCase(e->d_name, name.c_str())) {
            found = e->d_name;
            break;
        }
    }
    closedir(d);
    return found;
}

bool Exists(const std::string& path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

std::string ResolveCase(const std::string& path)
{
    if (path.empty() || Exists(path))
        return path;
    std::string resolved = path[0] == '/' ? "/" : "";
    size_t pos = path[0] == '/' ? 1 : 0;
    while (pos <= path.size()) {
        size_t end = path.find('/', pos);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(pos, end - pos);
        const bool last = end == path.size();
        if (!part.empty()) {
            std::string candidate = resolved + part;
            if (!Exists(candidate) && part != "." && part != "..") {
                std::string match = FindEntryNoCase(resolved, part);
                if (match.empty())
                    return resolved + path.substr(pos);
                candidate = resolved + match;
            }
            resolved = candidate;
        }
        if (!last)
            resolved += '/';
        pos = end + 1;
    }
    return resolved;
}

// --- wildcards ---------------------------------------------------------------

bool MatchFrom(const char* pattern, const char* name)
{
    for (; *pattern; ++pattern, ++name) {
        if (*pattern == '*') {
            while (*pattern == '*')
                ++pattern;
            if (!*pattern)
                return true;
            for (const char* rest = name; *rest; ++rest) {
                if (MatchFrom(pattern, rest))
                    return true;
            }
            return false;
        }
        if (!*name)
            return false;
        if (*pattern == '?')
            continue;
        if (tolower(static_cast<unsigned char>(*pattern)) != tolower(static_cast<unsigned char>(*name)))
            return false;
    }
    return !*name;
}

bool WildcardMatch(const std::string& pattern, const char* name)
{
    if (MatchFrom(pattern.c_str(), name))
        return true;
    const bool endsWithDotStar = pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0;
    return endsWithDotStar && !strchr(name, '.') && MatchFrom(pattern.substr(0, pattern.size() - 2).c_str(), name);
}

// --- attributes --------------------------------------------------------------

DWORD AttributesOf(const struct stat& st, const char* name)
{
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else
        attributes |= FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    const char* base = strrchr(name, '/');
    base = base ? base + 1 : name;
    if (base[0] == '.' && strcmp(base, ".") != 0 && strcmp(base, "..") != 0)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

void FillTimes(const struct stat& st, FILETIME* creation, FILETIME* access, FILETIME* write)
{
    // Linux keeps no creation time in struct stat; the last change stands in.
    if (creation)
        *creation = UnixToFileTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    if (access)
        *access = UnixToFileTime(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    if (write)
        *write = UnixToFileTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

// --- kernel objects ----------------------------------------------------------

class FileObject : public KernelObject {
public:
    FileObject(int fd, std::string path, DWORD access, bool deleteOnClose, std::shared_ptr<void> share)
        : fd(fd), path(std::move(path)), access(access), deleteOnClose(deleteOnClose), share(std::move(share))
    {
    }
    ~FileObject() override
    {
        if (deleteOnClose)
            unlink(path.c_str());
        close(fd);
    }

    const int fd;
    const std::string path;
    const DWORD access;
    const bool deleteOnClose;
    std::shared_ptr<void> share;
};

class FindObject : public KernelObject {
public:
    std::mutex mutex;
    std::vector<WIN32_FIND_DATA> found;
    size_t next = 0;
};

std::shared_ptr<FileObject> FileFor(HANDLE h)
{
    auto file = LookupKernelObjectAs<FileObject>(h);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

int OpenFlagsFor(DWORD access)
{
    const bool read = (access & kReadAccess) != 0;
    const bool write = (access & kWriteAccess) != 0;
    if (read && write)
        return O_RDWR;
    return write ? O_WRONLY : O_RDONLY;
}

// The folder part of a path: "." for a bare name, "/" for a name at the root.
std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

bool ParentExists(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0)
        return true;
    struct stat st {};
    return stat(path.substr(0, slash).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void SetMissingError(const std::string& path)
{
    SetLastError(ParentExists(path) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
}

// Copies a string result into a caller's buffer the platform's way: the
// length without the NUL on success, the size needed (with the NUL) when the
// buffer is too small.
DWORD CopyOut(const std::string& text, DWORD size, LPSTR buffer)
{
    if (!buffer || size < text.size() + 1)
        return static_cast<DWORD>(text.size() + 1);
    memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

std::string CurrentDirectory()
{
    std::vector<char> buffer(4096);
    if (!getcwd(buffer.data(), buffer.size()))
        return ".";
    return buffer.data();
}

// Removes ".", ".." and doubled separators from an absolute path.
std::string Normalize(const std::string& absolute)
{
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= absolute.size()) {
        size_t end = absolute.find('/', pos);
        if (end == std::string::npos)
            end = absolute.size();
        std::string part = absolute.substr(pos, end - pos);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = end + 1;
    }
    std::string out;
    for (const auto& part : parts)
        out += "/" + part;
    if (out.empty() || (absolute.size() > 1 && absolute.back() == '/' && !parts.empty()))
        out += "/";
    return out;
}

bool CopyBytes(const std::string& from, const std::string& to, bool failIfExists)
{
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    struct stat st {};
    fstat(in, &st);
    std::string bytes;
    char chunk[65536];
    ssize_t n;
    while ((n = read(in, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<size_t>(n));
    close(in);
    if (n < 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    if (failIfExists && Exists(to)) {
        SetLastError(ERROR_FILE_EXISTS);
        return false;
    }
    return WriteFileAtomically(to, bytes, st.st_mode & 07777) != FALSE;
}

// --- atomic writes -----------------------------------------------------------

// Temporary files of atomic writes are ".<name>.tw-<pid>-<random>.tmp": the
// writer's process id tells a later start whether the writer died.
constexpr char kTemporaryTag[] = ".tw-";
constexpr char kTemporarySuffix[] = ".tmp";

int CreateTemporary(const std::string& dir, const std::string& base, mode_t mode, std::string& temp)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[64];
        snprintf(unique, sizeof unique, "%s%ld-%x%x%s", kTemporaryTag, static_cast<long>(getpid()),
                 static_cast<unsigned>(random()), counter.fetch_add(1), kTemporarySuffix);
        temp = dir + "/." + base + unique;
        // Created by open, so a new file's mode follows the umask.
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// The writer of a temporary file named as above, or 0 for any other name.
pid_t WriterOfTemporary(std::string_view name)
{
    const size_t suffixLength = sizeof kTemporarySuffix - 1;
    if (name.size() < 2 || name[0] != '.' || name.size() <= suffixLength ||
        name.substr(name.size() - suffixLength) != kTemporarySuffix)
        return 0;
    const size_t tag = name.rfind(kTemporaryTag);
    if (tag == std::string_view::npos)
        return 0;
    long pid = 0;
    size_t i = tag + sizeof kTemporaryTag - 1;
    const size_t digits = i;
    for (; i < name.size() && isdigit(static_cast<unsigned char>(name[i])); ++i) {
        pid = pid * 10 + (name[i] - '0');
        if (pid > 1 << 30)
            return 0;
    }
    if (i == digits || i >= name.size() || name[i] != '-')
        return 0;
    return static_cast<pid_t>(pid);
}

bool FirstVisitOf(const std::string& dir)
{
    static std::mutex mutex;
    static auto* visited = new std::set<std::string>;  // outlives writers still running at exit
    // Another spelling of a folder costs one more look, which is harmless.
    std::lock_guard lock(mutex);
    return visited->insert(dir).second;
}

// A file-size limit must fail a write (EFBIG, the old file kept), not kill the program.
[[maybe_unused]] const bool g_fileSizeLimitIsAnError = [] {
    signal(SIGXFSZ, SIG_IGN);
    return true;
}();

}  // namespace file_detail

namespace fd_ = file_detail;

std::string MapPath(const char* path)
{
    if (!path)
        return {};
    std::string mapped = path;
    std::replace(mapped.begin(), mapped.end(), '\\', '/');
    if (mapped.size() >= 2 && mapped[1] == ':' && isalpha(static_cast<unsigned char>(mapped[0])))
        mapped.erase(0, 2);
    return fd_::ResolveCase(mapped);
}

DWORD Win32ErrorFromErrno(int err)
{
    switch (err) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case EPIPE: return ERROR_BROKEN_PIPE;
    case EIO: return ERROR_GEN_FAILURE;
    default: return ERROR_GEN_FAILURE;
    }
}

void SetLastErrorFromErrno(int err)
{
    SetLastError(Win32ErrorFromErrno(err));
}

std::shared_ptr<void> RegisterFileShare(int fd, DWORD access, DWORD shareMode)
{
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        SetLastErrorFromErrno(errno);
        return nullptr;
    }
    const fd_::FileKey key{st.st_dev, st.st_ino};
    const fd_::ShareEntry wanted{access, shareMode};
    auto& table = fd_::Shares();
    std::lock_guard lock(table.mutex);
    auto& opens = table.opens[key];
    for (const auto& existing : opens) {
        if (fd_::Conflicts(existing, wanted)) {
            if (opens.empty())
                table.opens.erase(key);
            SetLastError(ERROR_SHARING_VIOLATION);
            return nullptr;
        }
    }
    opens.push_front(wanted);
    auto position = opens.begin();
    // The token's own pointer only makes it non-null; the deleter does the work.
    return std::shared_ptr<void>(new char, [key, position](void* token) {
        delete static_cast<char*>(token);
        auto& t = fd_::Shares();
        std::lock_guard l(t.mutex);
        auto it = t.opens.find(key);
        if (it == t.opens.end())
            return;
        it->second.erase(position);
        if (it->second.empty())
            t.opens.erase(it);
    });
}

BOOL WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode)
{
    const std::string target = MapPath(path.c_str());
    const std::string dir = fd_::FolderOf(target);
    const std::string base = target.substr(target.find_last_of('/') + 1);
    RemoveDeadWritersFiles(dir);
    struct stat old {};
    const bool rewrite = stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    std::string temp;
    const int fd = fd_::CreateTemporary(dir, base, mode, temp);
    if (fd < 0) {
        const int err = errno;
        SetLastErrorFromErrno(err);
        errno = err;
        return FALSE;
    }
    auto fail = [&](int err) {
        close(fd);
        unlink(temp.c_str());
        SetLastErrorFromErrno(err);
        errno = err;
        return FALSE;
    };
    // A rewrite keeps the mode its owner gave the file, never more open than asked.
    if (rewrite && fchmod(fd, old.st_mode & (mode | 07111)) != 0)
        return fail(errno);
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        written += static_cast<size_t>(n);
    }
    if (fsync(fd) != 0)
        return fail(errno);
    if (close(fd) != 0) {
        const int err = errno;
        unlink(temp.c_str());
        SetLastErrorFromErrno(err);
        errno = err;
        return FALSE;
    }
    if (rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        unlink(temp.c_str());
        SetLastErrorFromErrno(err);
        errno = err;
        return FALSE;
    }
    // Make the rename itself durable.
    const int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    return TRUE;
}

void RemoveDeadWritersFiles(const std::string& dir)
{
    if (!fd_::FirstVisitOf(dir))
        return;
    DIR* folder = opendir(dir.c_str());
    if (!folder)
        return;
    while (const dirent* entry = readdir(folder)) {
        const pid_t writer = fd_::WriterOfTemporary(entry->d_name);
        if (writer <= 0 || writer == getpid())
            continue;
        if (kill(writer, 0) == 0 || errno != ESRCH)
            continue;  // alive, or someone else's process: perhaps still writing
        unlinkat(dirfd(folder), entry->d_name, 0);
    }
    closedir(folder);
}

}  // namespace tw

namespace fd_ = tw::file_detail;

HANDLE CreateFile(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES,
                  DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE)
{
    if (!lpFileName || !*lpFileName || dwCreationDisposition < CREATE_NEW ||
        dwCreationDisposition > TRUNCATE_EXISTING) {
        SetLastError(!lpFileName || !*lpFileName ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = tw::MapPath(lpFileName);
    tw::RemoveDeadWritersFiles(fd_::FolderOf(path));
    struct stat st {};
    const bool existed = stat(path.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    const bool deleteOnClose = (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0;
    DWORD access = dwDesiredAccess;
    if (deleteOnClose)
        access |= DELETE;
    // A read-only file refuses writing even to a privileged process.
    if (existed && !(st.st_mode & S_IWUSR) && (access & (fd_::kWriteAccess | fd_::kDeleteAccess))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }

    int flags = fd_::OpenFlagsFor(access) | O_CLOEXEC;
    switch (dwCreationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    default: break;
    }
    const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    const int fd = open(path.c_str(), flags, mode);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT)
            fd_::SetMissingError(path);
        else
            tw::SetLastErrorFromErrno(err);
        return INVALID_HANDLE_VALUE;
    }
    // The share check comes before any truncation, so a refused open
    // leaves the other opener's data alone.
    auto share = tw::RegisterFileShare(fd, access, dwShareMode);
    if (!share) {
        close(fd);
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    const bool truncate =
        existed && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING);
    if (truncate && ftruncate(fd, 0) != 0 && ::truncate(path.c_str(), 0) != 0) {
        const int err = errno;
        close(fd);
        tw::SetLastErrorFromErrno(err);
        return INVALID_HANDLE_VALUE;
    }
    // Nobody may open an unshared delete-on-close file by its name, so the name
    // goes at once: the file then cannot outlive the process, however it ends.
    const bool nameRemovedNow = deleteOnClose && dwShareMode == 0 && unlink(path.c_str()) == 0;
    HANDLE handle = tw::InsertKernelObject(
        std::make_shared<fd_::FileObject>(fd, path, access, deleteOnClose && !nameRemovedNow, std::move(share)));
    const bool reportsExisting = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, LPOVERLAPPED)
{
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    auto file = fd_::FileFor(hFile);
    if (!file)
        return FALSE;
    if (!(file->access & fd_::kReadAccess)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD total = 0;
    auto* out = static_cast<char*>(lpBuffer);
    while (total < nNumberOfBytesToRead) {
        const ssize_t n = read(file->fd, out + total, nNumberOfBytesToRead - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            tw::SetLastErrorFromErrno(errno);
            return FALSE;
        }
        if (n == 0)
            break;
        total += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = total;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED)
{
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    auto file = fd_::FileFor(hFile);
    if (!file)
        return FALSE;
    if (!(file->access & fd_::kWriteAccess)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD total = 0;
    const auto* in = static_cast<const char*>(lpBuffer);
    while (total < nNumberOfBytesToWrite) {
        const ssize_t n = write(file->fd, in + total, nNumberOfBytesToWrite - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            if (lpNumberOfBytesWritten)
                *lpNumberOfBytesWritten = total;
            tw::SetLastErrorFromErrno(errno);
            return FALSE;
        }
        total += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = total;
    return TRUE;
}

BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer,
                      DWORD dwMoveMethod)
{
    auto file = fd_::FileFor(hFile);
    if (!file)
        return FALSE;
    if (dwMoveMethod > FILE_END) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : (dwMoveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END);
    const off_t current = lseek(file->fd, 0, SEEK_CUR);
    const off_t base = whence == SEEK_SET ? 0 : (whence == SEEK_CUR ? current : lseek(file->fd, 0, SEEK_END));
    const int64_t target = static_cast<int64_t>(base) + liDistanceToMove.QuadPart;
    if (target < 0) {
        lseek(file->fd, current, SEEK_SET);
        SetLastError(ERROR_NEGATIVE_SEEK);
        return FALSE;
    }
    const off_t result = lseek(file->fd, static_cast<off_t>(target), SEEK_SET);
    if (result < 0) {
        tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    if (lpNewFilePointer)
        lpNewFilePointer->QuadPart = result;
    return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod)
{
    LARGE_INTEGER distance;
    if (lpDistanceToMoveHigh) {
        distance.LowPart = static_cast<DWORD>(lDistanceToMove);
        distance.HighPart = *lpDistanceToMoveHigh;
    } else {
        distance.QuadPart = lDistanceToMove;
    }
    LARGE_INTEGER position{};
    if (!SetFilePointerEx(hFile, distance, &position, dwMoveMethod))
        return INVALID_SET_FILE_POINTER;
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = position.HighPart;
    // A position whose low part looks like the failure value is told apart
    // by a zero last-error.
    SetLastError(ERROR_SUCCESS);
    return position.LowPart;
}

BOOL GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize)
{
    auto file = fd_::FileFor(hFile);
    if (!file)
        return FALSE;
    struct stat st {};
    if (fstat(file->fd, &st) != 0) {
        tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    lpFileSize->QuadPart = st.st_size;
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(hFile, &size))
        return INVALID_FILE_SIZE;
    if (lpFileSizeHigh)
        *lpFileSizeHigh = static_cast<DWORD>(size.HighPart);
    SetLastError(ERROR_SUCCESS);
    return size.LowPart;
}

BOOL SetEndOfFile(HANDLE hFile)
{
    auto file = fd_::FileFor(hFile);
    if (!file)
        return FALSE;
    const off_t position = lseek(file->fd, 0, SEEK_CUR);
    if (position < 0 || ftruncate(file->fd, position) != 0) {
        tw::SetLastErrorFromErrno(errno == EBADF || errno == EINVAL ? EACCES : errno);
        return FALSE;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile)
{
    auto file = fd_::FileFor(hFile);
    if (!file)
        return FALSE;
    if (fsync(file->fd) != 0) {
        tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime, LPFILETIME lpLastWriteTime)
{
    auto file = fd_::FileFor(hFile);
    if (!file)
        return FALSE;
    struct stat st {};
    if (fstat(file->fd, &st) != 0) {
        tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    fd_::FillTimes(st, lpCreationTime, lpLastAccessTime, lpLastWriteTime);
    return TRUE;
}

BOOL DeleteFile(LPCSTR lpFileName)
{
    const std::string path = tw::MapPath(lpFileName);
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR))) {
        SetLastError(ERROR_ACCESS_DENIED);  // folders and read-only files
        return FALSE;
    }
    if (fd_::OpenedWithoutDeleteShare(path)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    if (unlink(path.c_str()) != 0) {
        if (errno == ENOENT)
            fd_::SetMissingError(path);
        else
            tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL MoveFileEx(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    const std::string from = tw::MapPath(lpExistingFileName);
    const std::string to = tw::MapPath(lpNewFileName);
    if (!fd_::Exists(from)) {
        fd_::SetMissingError(from);
        return FALSE;
    }
    // The same file under another spelling of its name is a rename, not a clash.
    const bool sameFile = from == to;
    if (!sameFile && fd_::Exists(to) && !(dwFlags & MOVEFILE_REPLACE_EXISTING)) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    if (fd_::OpenedWithoutDeleteShare(from) || (!sameFile && fd_::OpenedWithoutDeleteShare(to))) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    if (rename(from.c_str(), to.c_str()) == 0)
        return TRUE;
    if (errno == EXDEV && (dwFlags & MOVEFILE_COPY_ALLOWED)) {
        if (!fd_::CopyBytes(from, to, false))
            return FALSE;
        unlink(from.c_str());
        return TRUE;
    }
    if (errno == ENOENT)
        SetLastError(ERROR_PATH_NOT_FOUND);
    else
        tw::SetLastErrorFromErrno(errno);
    return FALSE;
}

BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    return MoveFileEx(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    const std::string from = tw::MapPath(lpExistingFileName);
    const std::string to = tw::MapPath(lpNewFileName);
    if (!fd_::Exists(from)) {
        fd_::SetMissingError(from);
        return FALSE;
    }
    return fd_::CopyBytes(from, to, bFailIfExists != FALSE) ? TRUE : FALSE;
}

BOOL CreateDirectory(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
    const std::string path = tw::MapPath(lpPathName);
    if (mkdir(path.c_str(), 0777) != 0) {
        if (errno == EEXIST)
            SetLastError(ERROR_ALREADY_EXISTS);
        else if (errno == ENOENT)
            SetLastError(ERROR_PATH_NOT_FOUND);
        else
            tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL RemoveDirectory(LPCSTR lpPathName)
{
    const std::string path = tw::MapPath(lpPathName);
    if (rmdir(path.c_str()) != 0) {
        if (errno == ENOTDIR)
            SetLastError(ERROR_DIRECTORY);
        else
            tw::SetLastErrorFromErrno(errno == EEXIST ? ENOTEMPTY : errno);
        return FALSE;
    }
    return TRUE;
}

DWORD GetFileAttributes(LPCSTR lpFileName)
{
    const std::string path = tw::MapPath(lpFileName);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            fd_::SetMissingError(path);
        else
            tw::SetLastErrorFromErrno(errno);
        return INVALID_FILE_ATTRIBUTES;
    }
    return fd_::AttributesOf(st, path.c_str());
}

BOOL GetFileAttributesEx(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation)
{
    if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string path = tw::MapPath(lpFileName);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            fd_::SetMissingError(path);
        else
            tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation);
    data->dwFileAttributes = fd_::AttributesOf(st, path.c_str());
    fd_::FillTimes(st, &data->ftCreationTime, &data->ftLastAccessTime, &data->ftLastWriteTime);
    const uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size);
    return TRUE;
}

BOOL SetFileAttributes(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    const std::string path = tw::MapPath(lpFileName);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        fd_::SetMissingError(path);
        return FALSE;
    }
    mode_t mode = st.st_mode & 07777;
    if (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    if (chmod(path.c_str(), mode) != 0) {
        tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

HANDLE FindFirstFile(LPCSTR lpFileName, LPWIN32_FIND_DATA lpFindFileData)
{
    const std::string path = tw::MapPath(lpFileName);
    const size_t slash = path.find_last_of('/');
    const std::string dir = fd_::FolderOf(path);
    const std::string pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (pattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    DIR* d = opendir(dir.c_str());
    if (!d) {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : tw::Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto find = std::make_shared<fd_::FindObject>();
    while (dirent* e = readdir(d)) {
        if (!fd_::WildcardMatch(pattern, e->d_name) || strlen(e->d_name) >= MAX_PATH)
            continue;
        const std::string full = dir + "/" + e->d_name;
        struct stat st {};
        if (stat(full.c_str(), &st) != 0)
            continue;
        WIN32_FIND_DATA data{};
        data.dwFileAttributes = fd_::AttributesOf(st, e->d_name);
        fd_::FillTimes(st, &data.ftCreationTime, &data.ftLastAccessTime, &data.ftLastWriteTime);
        const uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
        data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        data.nFileSizeLow = static_cast<DWORD>(size);
        snprintf(data.cFileName, sizeof data.cFileName, "%s", e->d_name);
        find->found.push_back(data);
    }
    closedir(d);
    // Directory order on Linux is arbitrary; a name order keeps listings stable.
    std::sort(find->found.begin(), find->found.end(), [](const WIN32_FIND_DATA& a, const WIN32_FIND_DATA& b) {
        return strcmp(a.cFileName, b.cFileName) < 0;
    });
    if (find->found.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *lpFindFileData = find->found[0];
    find->next = 1;
    return tw::InsertKernelObject(find);
}

BOOL FindNextFile(HANDLE hFindFile, LPWIN32_FIND_DATA lpFindFileData)
{
    auto find = tw::LookupKernelObjectAs<fd_::FindObject>(hFindFile);
    if (!find) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(find->mutex);
    if (find->next >= find->found.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = find->found[find->next++];
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile)
{
    if (!tw::LookupKernelObjectAs<fd_::FindObject>(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return CloseHandle(hFindFile);
}

DWORD GetTempPath(DWORD nBufferLength, LPSTR lpBuffer)
{
    const char* env = getenv("TMPDIR");
    std::string dir = env && *env ? env : "/tmp";
    if (dir.back() != '/')
        dir += '/';
    return fd_::CopyOut(dir, nBufferLength, lpBuffer);
}

UINT GetTempFileName(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName)
{
    if (!lpPathName || !lpTempFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string dir = tw::MapPath(lpPathName);
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    const std::string prefix = std::string(lpPrefixString ? lpPrefixString : "").substr(0, 3);
    auto nameFor = [&](UINT number) {
        char hex[8];
        snprintf(hex, sizeof hex, "%X", number & 0xFFFF);
        return dir + prefix + hex + ".tmp";
    };
    auto store = [&](const std::string& name) {
        if (name.size() >= MAX_PATH) {
            SetLastError(ERROR_BUFFER_OVERFLOW);
            return false;
        }
        memcpy(lpTempFileName, name.c_str(), name.size() + 1);
        return true;
    };
    if (uUnique != 0)
        return store(nameFor(uUnique)) ? (uUnique & 0xFFFF) : 0;
    // Only the low 16 bits name the file; try each number once from a
    // time-based start, creating the file so the name stays taken.
    const UINT start = static_cast<UINT>(GetTickCount() ^ static_cast<UINT>(getpid())) & 0xFFFF;
    for (UINT i = 0; i < 0x10000; ++i) {
        const UINT number = ((start + i) & 0xFFFF) == 0 ? 1 : ((start + i) & 0xFFFF);
        const std::string name = nameFor(number);
        const int fd = open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            if (!store(name)) {
                unlink(name.c_str());
                return 0;
            }
            return number;
        }
        if (errno != EEXIST) {
            errno == ENOENT ? SetLastError(ERROR_DIRECTORY) : tw::SetLastErrorFromErrno(errno);
            return 0;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

DWORD GetFullPathName(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart)
{
    if (!lpFileName || !*lpFileName) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    std::string path = tw::MapPath(lpFileName);
    if (path.empty() || path[0] != '/')
        path = fd_::CurrentDirectory() + "/" + path;
    const std::string full = fd_::Normalize(path);
    const DWORD result = fd_::CopyOut(full, nBufferLength, lpBuffer);
    if (lpFilePart) {
        *lpFilePart = nullptr;
        if (result < nBufferLength && lpBuffer && full.back() != '/')
            *lpFilePart = lpBuffer + full.find_last_of('/') + 1;
    }
    return result;
}

DWORD SearchPath(LPCSTR lpPath, LPCSTR lpFileName, LPCSTR lpExtension, DWORD nBufferLength, LPSTR lpBuffer,
                 LPSTR* lpFilePart)
{
    if (!lpFileName || !*lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string name = tw::MapPath(lpFileName);
    const size_t slash = name.find_last_of('/');
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (lpExtension && *lpExtension && base.find('.') == std::string::npos)
        name += lpExtension;

    std::vector<std::string> dirs;
    if (name[0] == '/') {
        dirs.push_back("");
    } else if (lpPath) {
        std::string list = lpPath;
        std::replace(list.begin(), list.end(), ';', ':');
        size_t pos = 0;
        while (pos <= list.size()) {
            const size_t end = std::min(list.find(':', pos), list.size());
            if (end > pos)
                dirs.push_back(tw::MapPath(list.substr(pos, end - pos).c_str()));
            pos = end + 1;
        }
    } else {
        const std::string exe = tw::ExecutablePath();
        dirs.push_back(exe.substr(0, exe.find_last_of('/')));
        dirs.push_back(fd_::CurrentDirectory());
        if (const char* envPath = getenv("PATH")) {
            std::string list = envPath;
            size_t pos = 0;
            while (pos <= list.size()) {
                const size_t end = std::min(list.find(':', pos), list.size());
                if (end > pos)
                    dirs.push_back(list.substr(pos, end - pos));
                pos = end + 1;
            }
        }
    }
    for (const auto& dir : dirs) {
        const std::string candidate = fd_::ResolveCase(dir.empty() ? name : dir + "/" + name);
        struct stat st {};
        if (stat(candidate.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
            continue;
        return GetFullPathName(candidate.c_str(), nBufferLength, lpBuffer, lpFilePart);
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
}

DWORD GetCurrentDirectory(DWORD nBufferLength, LPSTR lpBuffer)
{
    return fd_::CopyOut(fd_::CurrentDirectory(), nBufferLength, lpBuffer);
}

BOOL SetCurrentDirectory(LPCSTR lpPathName)
{
    const std::string path = tw::MapPath(lpPathName);
    if (chdir(path.c_str()) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            SetLastError(errno == ENOTDIR ? ERROR_DIRECTORY : ERROR_FILE_NOT_FOUND);
        else
            tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}
