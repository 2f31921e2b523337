#include "platform/win32/kernel/CrtCompat.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/Utf8Text.h"

namespace tw {
namespace crt_detail {

const char* End(const unsigned char* s)
{
    return reinterpret_cast<const char*>(s) + strlen(reinterpret_cast<const char*>(s));
}

std::string FoldCase(const unsigned char* s, size_t limit)
{
    const char* p = reinterpret_cast<const char*>(s);
    const char* end = p + strnlen(p, limit);
    std::string folded;
    while (p < end) {
        size_t n;
        const char32_t c = utf8::Decode(p, end, n);
        if (n == 1 && static_cast<unsigned char>(*p) >= 0x80)
            folded += *p;  // a stray byte compares as itself
        else
            utf8::Append(utf8::ToLower(c), folded);
        p += n;
    }
    return folded;
}

char* Convert(unsigned long long magnitude, bool negative, char* buffer, int radix)
{
    if (radix < 2 || radix > 36) {
        buffer[0] = '\0';
        return buffer;
    }
    char digits[72];
    int n = 0;
    do {
        const int d = static_cast<int>(magnitude % static_cast<unsigned>(radix));
        digits[n++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
        magnitude /= static_cast<unsigned>(radix);
    } while (magnitude);
    char* out = buffer;
    if (negative)
        *out++ = '-';
    while (n)
        *out++ = digits[--n];
    *out = '\0';
    return buffer;
}

// --- shared opens through stdio -------------------------------------------

struct SharedStream {
    int fd;
    bool text;
    bool pendingCr = false;
    std::shared_ptr<void> share;
};

struct StreamTable {
    std::mutex mutex;
    std::unordered_map<FILE*, int> fds;
};

StreamTable& Streams()
{
    static StreamTable table;
    return table;
}

ssize_t StreamRead(void* cookie, char* buffer, size_t size)
{
    auto* stream = static_cast<SharedStream*>(cookie);
    if (!stream->text)
        return read(stream->fd, buffer, size);
    size_t produced = 0;
    char raw[4096];
    while (produced == 0) {
        const ssize_t n = read(stream->fd, raw, std::min(size, sizeof raw));
        if (n < 0)
            return -1;
        if (n == 0) {
            if (stream->pendingCr) {
                buffer[produced++] = '\r';
                stream->pendingCr = false;
            }
            return static_cast<ssize_t>(produced);
        }
        for (ssize_t i = 0; i < n; ++i) {
            const char c = raw[i];
            if (stream->pendingCr) {
                stream->pendingCr = false;
                if (c != '\n')
                    buffer[produced++] = '\r';
            }
            if (c == '\r')
                stream->pendingCr = true;
            else
                buffer[produced++] = c;
        }
    }
    return static_cast<ssize_t>(produced);
}

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

ssize_t StreamWrite(void* cookie, const char* buffer, size_t size)
{
    auto* stream = static_cast<SharedStream*>(cookie);
    if (!stream->text)
        return WriteAll(stream->fd, buffer, size) ? static_cast<ssize_t>(size) : -1;
    std::string out;
    out.reserve(size + size / 16);
    for (size_t i = 0; i < size; ++i) {
        if (buffer[i] == '\n')
            out += '\r';
        out += buffer[i];
    }
    return WriteAll(stream->fd, out.data(), out.size()) ? static_cast<ssize_t>(size) : -1;
}

int StreamSeek(void* cookie, off64_t* position, int whence)
{
    auto* stream = static_cast<SharedStream*>(cookie);
    const off64_t result = lseek64(stream->fd, *position, whence);
    if (result < 0)
        return -1;
    stream->pendingCr = false;
    *position = result;
    return 0;
}

int StreamClose(void* cookie)
{
    auto* stream = static_cast<SharedStream*>(cookie);
    const int rc = close(stream->fd);
    delete stream;
    return rc;
}

}  // namespace crt_detail
}  // namespace tw

namespace cd_ = tw::crt_detail;

unsigned char* _mbslwr(unsigned char* str)
{
    if (str)
        tw::utf8::LowerInPlace(reinterpret_cast<char*>(str), strlen(reinterpret_cast<char*>(str)));
    return str;
}

unsigned char* _mbsupr(unsigned char* str)
{
    if (str)
        tw::utf8::UpperInPlace(reinterpret_cast<char*>(str), strlen(reinterpret_cast<char*>(str)));
    return str;
}

unsigned char* _mbsstr(const unsigned char* str, const unsigned char* sub)
{
    // UTF-8 never matches inside a sequence, so a byte search is a character search.
    return reinterpret_cast<unsigned char*>(
        const_cast<char*>(strstr(reinterpret_cast<const char*>(str), reinterpret_cast<const char*>(sub))));
}

int _mbscmp(const unsigned char* a, const unsigned char* b)
{
    // Byte order of UTF-8 is code-point order.
    const int r = strcmp(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int _mbsicmp(const unsigned char* a, const unsigned char* b)
{
    const int r = cd_::FoldCase(a, SIZE_MAX).compare(cd_::FoldCase(b, SIZE_MAX));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int _mbsnbicmp(const unsigned char* a, const unsigned char* b, size_t count)
{
    const int r = cd_::FoldCase(a, count).compare(cd_::FoldCase(b, count));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

unsigned char* _mbschr(const unsigned char* str, unsigned int c)
{
    if (c == 0)
        return const_cast<unsigned char*>(reinterpret_cast<const unsigned char*>(cd_::End(str)));
    std::string needle;
    tw::utf8::Append(static_cast<char32_t>(c), needle);
    return _mbsstr(str, reinterpret_cast<const unsigned char*>(needle.c_str()));
}

unsigned char* _mbsrchr(const unsigned char* str, unsigned int c)
{
    if (c == 0)
        return _mbschr(str, 0);
    std::string needle;
    tw::utf8::Append(static_cast<char32_t>(c), needle);
    const char* s = reinterpret_cast<const char*>(str);
    const char* last = nullptr;
    for (const char* hit = strstr(s, needle.c_str()); hit; hit = strstr(hit + 1, needle.c_str()))
        last = hit;
    return reinterpret_cast<unsigned char*>(const_cast<char*>(last));
}

unsigned char* _mbsinc(const unsigned char* current)
{
    const char* p = reinterpret_cast<const char*>(current);
    size_t n;
    tw::utf8::Decode(p, p + strnlen(p, 4), n);
    return const_cast<unsigned char*>(current + (*p ? n : 1));
}

unsigned char* _mbsdec(const unsigned char* start, const unsigned char* current)
{
    if (current <= start)
        return nullptr;
    const char* s = reinterpret_cast<const char*>(start);
    return reinterpret_cast<unsigned char*>(
        const_cast<char*>(tw::utf8::PreviousCharacter(s, reinterpret_cast<const char*>(current))));
}

size_t _mbslen(const unsigned char* str)
{
    const char* p = reinterpret_cast<const char*>(str);
    const char* end = cd_::End(str);
    size_t count = 0;
    while (p < end) {
        size_t n;
        tw::utf8::Decode(p, end, n);
        p += n;
        ++count;
    }
    return count;
}

unsigned char* _mbsnbcpy(unsigned char* dest, const unsigned char* src, size_t count)
{
    const char* s = reinterpret_cast<const char*>(src);
    const size_t length = strnlen(s, count);
    const char* end = s + strnlen(s, count + 4);
    size_t copy = 0;
    while (copy < length) {
        const size_t n = tw::utf8::IsValidSequence(s + copy, end)
                             ? tw::utf8::SequenceLength(static_cast<unsigned char>(s[copy]))
                             : 1;
        if (copy + n > count)
            break;  // the character does not fit whole
        copy += n;
    }
    memcpy(dest, src, copy);
    memset(dest + copy, 0, count - copy);
    return dest;
}

char* _strlwr(char* str)
{
    for (char* p = str; p && *p; ++p) {
        if (*p >= 'A' && *p <= 'Z')
            *p = static_cast<char>(*p + 32);
    }
    return str;
}

char* _strupr(char* str)
{
    for (char* p = str; p && *p; ++p) {
        if (*p >= 'a' && *p <= 'z')
            *p = static_cast<char>(*p - 32);
    }
    return str;
}

int _stricmp(const char* a, const char* b)
{
    const int r = strcasecmp(a, b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int _strnicmp(const char* a, const char* b, size_t count)
{
    const int r = strncasecmp(a, b, count);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

char* _strrev(char* str)
{
    if (str) {
        for (char *a = str, *b = str + strlen(str); a < b--; ++a)
            std::swap(*a, *b);
    }
    return str;
}

char* _itoa(int value, char* buffer, int radix)
{
    if (radix == 10 && value < 0)
        return cd_::Convert(0ull - static_cast<unsigned long long>(static_cast<long long>(value)), true, buffer, radix);
    return cd_::Convert(static_cast<unsigned int>(value), false, buffer, radix);
}

char* _ltoa(long value, char* buffer, int radix)
{
    // The platform's long is 32 bits; other bases show its two's complement.
    const auto v = static_cast<int32_t>(value);
    if (radix == 10 && v < 0)
        return cd_::Convert(0ull - static_cast<unsigned long long>(static_cast<long long>(v)), true, buffer, radix);
    return cd_::Convert(static_cast<uint32_t>(v), false, buffer, radix);
}

char* _ultoa(unsigned long value, char* buffer, int radix)
{
    return cd_::Convert(static_cast<uint32_t>(value), false, buffer, radix);
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext)
{
    auto put = [](char* out, const std::string& text, size_t limit) {
        if (!out)
            return;
        const size_t n = std::min(text.size(), limit - 1);
        memcpy(out, text.data(), n);
        out[n] = '\0';
    };
    std::string rest = path ? path : "";
    if (rest.size() >= 2 && rest[1] == ':' && isalpha(static_cast<unsigned char>(rest[0])))
        rest.erase(0, 2);
    const size_t slash = rest.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : rest.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? rest : rest.substr(slash + 1);
    const size_t dot = file.find_last_of('.');
    put(drive, "", _MAX_DRIVE);
    put(dir, folder, _MAX_DIR);
    put(fname, dot == std::string::npos ? file : file.substr(0, dot), _MAX_FNAME);
    put(ext, dot == std::string::npos ? "" : file.substr(dot), _MAX_EXT);
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext)
{
    std::string out;
    if (drive && *drive) {
        out += drive[0];
        out += ':';
    }
    if (dir && *dir) {
        out += dir;
        if (out.back() != '/' && out.back() != '\\')
            out += '/';
    }
    if (fname)
        out += fname;
    if (ext && *ext) {
        if (*ext != '.')
            out += '.';
        out += ext;
    }
    const size_t n = std::min(out.size(), static_cast<size_t>(_MAX_PATH - 1));
    memcpy(path, out.data(), n);
    path[n] = '\0';
}

FILE* _fsopen(const char* filename, const char* mode, int shflag)
{
    if (!filename || !mode || !*mode) {
        errno = EINVAL;
        return nullptr;
    }
    const bool plus = strchr(mode, '+') != nullptr;
    const bool binary = strchr(mode, 'b') != nullptr;
    DWORD access = 0;
    int flags = O_CLOEXEC;
    switch (mode[0]) {
    case 'r':
        access = GENERIC_READ | (plus ? GENERIC_WRITE : 0);
        flags |= plus ? O_RDWR : O_RDONLY;
        break;
    case 'w':
        access = GENERIC_WRITE | (plus ? GENERIC_READ : 0);
        flags |= (plus ? O_RDWR : O_WRONLY) | O_CREAT;
        break;
    case 'a':
        access = GENERIC_WRITE | (plus ? GENERIC_READ : 0);
        flags |= (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
        break;
    default: errno = EINVAL; return nullptr;
    }
    DWORD share = 0;
    switch (shflag) {
    case _SH_DENYNO: share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE; break;
    case _SH_DENYWR: share = FILE_SHARE_READ; break;
    case _SH_DENYRD: share = FILE_SHARE_WRITE; break;
    case _SH_DENYRW: share = 0; break;
    default: errno = EINVAL; return nullptr;
    }
    const std::string path = tw::MapPath(filename);
    const int fd = open(path.c_str(), flags, 0666);
    if (fd < 0)
        return nullptr;
    auto token = tw::RegisterFileShare(fd, access, share);
    if (!token) {
        close(fd);
        errno = EACCES;
        return nullptr;
    }
    if (mode[0] == 'w' && ftruncate(fd, 0) != 0) {
        const int err = errno;
        close(fd);
        errno = err;
        return nullptr;
    }
    auto* stream = new cd_::SharedStream{fd, !binary, false, std::move(token)};
    cookie_io_functions_t io{cd_::StreamRead, cd_::StreamWrite, cd_::StreamSeek, nullptr};
    io.close = [](void* cookie) {
        auto* s = static_cast<cd_::SharedStream*>(cookie);
        {
            auto& table = cd_::Streams();
            std::lock_guard lock(table.mutex);
            std::erase_if(table.fds, [&](const auto& entry) { return entry.second == s->fd; });
        }
        return cd_::StreamClose(cookie);
    };
    std::string cookieMode = mode;
    std::erase(cookieMode, 't');
    FILE* file = fopencookie(stream, cookieMode.c_str(), io);
    if (!file) {
        cd_::StreamClose(stream);
        return nullptr;
    }
    auto& table = cd_::Streams();
    std::lock_guard lock(table.mutex);
    table.fds[file] = fd;
    return file;
}

int _fileno(FILE* stream)
{
    {
        auto& table = cd_::Streams();
        std::lock_guard lock(table.mutex);
        auto it = table.fds.find(stream);
        if (it != table.fds.end())
            return it->second;
    }
    return fileno(stream);
}

long _filelength(int fd)
{
    struct stat st {};
    if (fstat(fd, &st) != 0)
        return -1;
    return static_cast<long>(st.st_size);
}

int _access(const char* path, int mode)
{
    const std::string mapped = tw::MapPath(path);
    int how = F_OK;
    if (mode & 2)
        how |= W_OK;
    if (mode & 4)
        how |= R_OK;
    return access(mapped.c_str(), how) == 0 ? 0 : -1;
}

char* _getcwd(char* buffer, int maxlen)
{
    if (!buffer)
        return getcwd(nullptr, 0);
    return getcwd(buffer, static_cast<size_t>(maxlen));
}

int _chdir(const char* path)
{
    return chdir(tw::MapPath(path).c_str());
}

int _mkdir(const char* path)
{
    return mkdir(tw::MapPath(path).c_str(), 0777);
}
