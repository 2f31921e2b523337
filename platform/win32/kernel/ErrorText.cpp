#include "platform/win32/kernel/ErrorText.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/kernel/GlobalMemory.h"

namespace tw {
namespace errtext_detail {

struct MessageEntry {
    DWORD code;
    const char* text;
};

const MessageEntry kWin32Messages[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_INVALID_FUNCTION, "Incorrect function."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough storage is available to process this command."},
    {ERROR_BAD_FORMAT, "An attempt was made to load a program with an incorrect format."},
    {ERROR_INVALID_ACCESS, "The access code is invalid."},
    {ERROR_INVALID_DATA, "The data is invalid."},
    {ERROR_OUTOFMEMORY, "Not enough storage is available to complete this operation."},
    {ERROR_INVALID_DRIVE, "The system cannot find the drive specified."},
    {ERROR_CURRENT_DIRECTORY, "The directory cannot be removed."},
    {ERROR_NOT_SAME_DEVICE, "The system cannot move the file to a different disk drive."},
    {ERROR_NO_MORE_FILES, "There are no more files."},
    {ERROR_WRITE_PROTECT, "The media is write protected."},
    {ERROR_WRITE_FAULT, "The system cannot write to the specified device."},
    {ERROR_READ_FAULT, "The system cannot read from the specified device."},
    {ERROR_GEN_FAILURE, "A device attached to the system is not functioning."},
    {ERROR_SHARING_VIOLATION, "The process cannot access the file because it is being used by another process."},
    {ERROR_LOCK_VIOLATION,
     "The process cannot access the file because another process has locked a portion of the file."},
    {ERROR_HANDLE_EOF, "Reached the end of the file."},
    {ERROR_HANDLE_DISK_FULL, "The disk is full."},
    {ERROR_NOT_SUPPORTED, "The request is not supported."},
    {ERROR_FILE_EXISTS, "The file exists."},
    {ERROR_CANNOT_MAKE, "The directory or file cannot be created."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_BROKEN_PIPE, "The pipe has been ended."},
    {ERROR_OPEN_FAILED, "The system cannot open the device or file specified."},
    {ERROR_BUFFER_OVERFLOW, "The file name is too long."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
    {ERROR_CALL_NOT_IMPLEMENTED, "This function is not supported on this system."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found."},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found."},
    {ERROR_NEGATIVE_SEEK, "An attempt was made to move the file pointer before the beginning of the file."},
    {ERROR_DIR_NOT_EMPTY, "The directory is not empty."},
    {ERROR_NOT_LOCKED, "The segment is already unlocked."},
    {ERROR_BAD_PATHNAME, "The specified path is invalid."},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists."},
    {ERROR_FILE_TOO_LARGE, "The file size exceeds the limit allowed and cannot be saved."},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
    {ERROR_MORE_DATA, "More data is available."},
    {WAIT_TIMEOUT, "The wait operation timed out."},
    {ERROR_NO_MORE_ITEMS, "No more data is available."},
    {ERROR_DIRECTORY, "The directory name is invalid."},
    {ERROR_NO_ASSOCIATION, "No application is associated with the specified file for this operation."},
    {ERROR_NOT_OWNER, "Attempt to release mutex not owned by caller."},
    {ERROR_NOACCESS, "Invalid access to memory location."},
    {ERROR_INVALID_FLAGS, "Invalid flags."},
    {ERROR_BADDB, "The configuration registry database is corrupt."},
    {ERROR_BADKEY, "The configuration registry key is invalid."},
    {ERROR_CANTOPEN, "The configuration registry key could not be opened."},
    {ERROR_CANTREAD, "The configuration registry key could not be read."},
    {ERROR_CANTWRITE, "The configuration registry key could not be written."},
    {ERROR_REGISTRY_CORRUPT,
     "The registry is corrupted. The structure of one of the files containing registry data is corrupted, or "
     "the system's memory image of the file is corrupted, or the file could not be recovered because the "
     "alternate copy or log was absent or corrupted."},
    {ERROR_REGISTRY_IO_FAILED,
     "An I/O operation initiated by the registry failed unrecoverably. The registry could not read in, or write "
     "out, or flush, one of the files that contain the system's image of the registry."},
    {ERROR_NOT_REGISTRY_FILE,
     "The system has attempted to load or restore a file into the registry, but the specified file is not in a "
     "registry file format."},
    {ERROR_KEY_DELETED, "Illegal operation attempted on a registry key that has been marked for deletion."},
    {ERROR_NO_UNICODE_TRANSLATION, "No mapping for the Unicode character exists in the target multi-byte code page."},
    {ERROR_NOT_ALL_ASSIGNED, "Not all privileges or groups referenced are assigned to the caller."},
    {ERROR_PRIVILEGE_NOT_HELD, "A required privilege is not held by the client."},
    {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle."},
    {ERROR_TIMEOUT, "This operation returned because the timeout period expired."},
};

const MessageEntry kHresultMessages[] = {
    {static_cast<DWORD>(E_UNEXPECTED), "Catastrophic failure"},
    {static_cast<DWORD>(E_NOTIMPL), "Not implemented"},
    {static_cast<DWORD>(E_NOINTERFACE), "No such interface supported"},
    {static_cast<DWORD>(E_POINTER), "Invalid pointer"},
    {static_cast<DWORD>(E_ABORT), "Operation aborted"},
    {static_cast<DWORD>(E_FAIL), "Unspecified error"},
    {static_cast<DWORD>(E_PENDING), "The data necessary to complete this operation is not yet available."},
    {static_cast<DWORD>(CO_E_NOTINITIALIZED), "CoInitialize has not been called."},
    {static_cast<DWORD>(CO_E_CLASSSTRING), "Invalid class string"},
    {static_cast<DWORD>(CO_E_SERVER_EXEC_FAILURE), "Server execution failed"},
    {static_cast<DWORD>(REGDB_E_CLASSNOTREG), "Class not registered"},
    {static_cast<DWORD>(CLASS_E_NOAGGREGATION), "Class does not support aggregation (or class object is remote)"},
    {static_cast<DWORD>(CLASS_E_CLASSNOTAVAILABLE), "ClassFactory cannot supply requested class"},
    {static_cast<DWORD>(OLE_E_BLANK), "Uninitialized object"},
    {static_cast<DWORD>(DISP_E_UNKNOWNINTERFACE), "Unknown interface."},
    {static_cast<DWORD>(DISP_E_MEMBERNOTFOUND), "Member not found."},
    {static_cast<DWORD>(DISP_E_PARAMNOTFOUND), "Parameter not found."},
    {static_cast<DWORD>(DISP_E_TYPEMISMATCH), "Type mismatch."},
    {static_cast<DWORD>(DISP_E_UNKNOWNNAME), "Unknown name."},
    {static_cast<DWORD>(DISP_E_NONAMEDARGS), "No named arguments."},
    {static_cast<DWORD>(DISP_E_BADVARTYPE), "Bad variable type."},
    {static_cast<DWORD>(DISP_E_EXCEPTION), "Exception occurred."},
    {static_cast<DWORD>(DISP_E_OVERFLOW), "Out of present range."},
    {static_cast<DWORD>(DISP_E_BADINDEX), "Invalid index."},
    {static_cast<DWORD>(DISP_E_UNKNOWNLCID), "Unknown language."},
    {static_cast<DWORD>(DISP_E_ARRAYISLOCKED), "Memory is locked."},
    {static_cast<DWORD>(DISP_E_BADPARAMCOUNT), "Invalid number of parameters."},
    {static_cast<DWORD>(DISP_E_PARAMNOTOPTIONAL), "Parameter not optional."},
    {static_cast<DWORD>(DISP_E_BADCALLEE), "Invalid callee."},
    {static_cast<DWORD>(DISP_E_NOTACOLLECTION), "Does not support a collection."},
    {static_cast<DWORD>(DISP_E_DIVBYZERO), "Division by zero."},
    {static_cast<DWORD>(TYPE_E_TYPEMISMATCH), "Type mismatch."},
};

const char* Lookup(const MessageEntry* begin, const MessageEntry* end, DWORD code)
{
    for (const MessageEntry* e = begin; e != end; ++e) {
        if (e->code == code)
            return e->text;
    }
    return nullptr;
}

std::string SystemText(DWORD code)
{
    const char* text = Lookup(std::begin(kWin32Messages), std::end(kWin32Messages), code);
    // An HRESULT made from a system error code carries that code's text.
    if (!text && (code & 0xFFFF0000u) == 0x80070000u)
        text = Lookup(std::begin(kWin32Messages), std::end(kWin32Messages), code & 0xFFFFu);
    if (!text)
        text = Lookup(std::begin(kHresultMessages), std::end(kHresultMessages), code);
    return text ? std::string(text) + "\r\n" : std::string();
}

// Expands the inserts of a message; false on a reference to a missing argument.
bool ExpandInserts(const char* message, DWORD flags, va_list* args, std::string& out)
{
    const bool ignoreInserts = (flags & FORMAT_MESSAGE_IGNORE_INSERTS) != 0;
    const bool argumentArray = (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0;
    std::vector<DWORD_PTR> fromList;
    auto argument = [&](int index, DWORD_PTR& value) {
        if (!args)
            return false;
        if (argumentArray) {
            value = reinterpret_cast<const DWORD_PTR*>(args)[index - 1];
            return true;
        }
        while (static_cast<int>(fromList.size()) < index)
            fromList.push_back(va_arg(*args, DWORD_PTR));
        value = fromList[static_cast<size_t>(index - 1)];
        return true;
    };
    for (const char* p = message; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const char next = p[1];
        if (next == '\0')
            break;
        if (ignoreInserts && next >= '1' && next <= '9') {
            out += '%';
            continue;
        }
        ++p;
        switch (next) {
        case '0': return true;
        case 'n': out += "\r\n"; continue;
        case 'r': out += '\r'; continue;
        case 't': out += '\t'; continue;
        case '%':
        case '.':
        case '!': out += next; continue;
        default: break;
        }
        if (next < '1' || next > '9') {
            out += next;
            continue;
        }
        int index = next - '0';
        if (p[1] >= '0' && p[1] <= '9')
            index = index * 10 + (*++p - '0');
        std::string form = "s";
        if (p[1] == '!') {
            const char* close = strchr(p + 2, '!');
            if (close) {
                form.assign(p + 2, close);
                p = close;
            }
        }
        DWORD_PTR value = 0;
        if (!argument(index, value))
            return false;
        char piece[512];
        const std::string spec = "%" + form;
        if (form.find('s') != std::string::npos)
            snprintf(piece, sizeof piece, spec.c_str(), reinterpret_cast<const char*>(value));
        else
            snprintf(piece, sizeof piece, spec.c_str(), static_cast<unsigned long>(value));
        out += piece;
    }
    return true;
}

// With the maximum width flag, the text's own line breaks are dropped.
void ApplyWidthFlag(DWORD flags, std::string& text)
{
    if ((flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) != FORMAT_MESSAGE_MAX_WIDTH_MASK)
        return;
    std::string flat;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            if (i + 1 < text.size())
                flat += ' ';
            continue;
        }
        flat += text[i];
    }
    text = flat;
}

}  // namespace errtext_detail

const char* SystemMessageText(DWORD code)
{
    // Keep one copy per known code so the pointer stays valid.
    static thread_local std::string last;
    last = errtext_detail::SystemText(code);
    return last.empty() ? nullptr : last.c_str();
}

}  // namespace tw

DWORD FormatMessage(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD, LPSTR lpBuffer, DWORD nSize,
                    va_list* Arguments)
{
    namespace et = tw::errtext_detail;
    std::string message;
    if (dwFlags & FORMAT_MESSAGE_FROM_STRING) {
        if (!lpSource) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        message = static_cast<const char*>(lpSource);
    } else if (dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) {
        message = et::SystemText(dwMessageId);
        if (message.empty()) {
            SetLastError(ERROR_MR_MID_NOT_FOUND);
            return 0;
        }
    } else {
        // Message tables of modules are not kept.
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    std::string text;
    if (!et::ExpandInserts(message.c_str(), dwFlags, Arguments, text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    et::ApplyWidthFlag(dwFlags, text);

    if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        const SIZE_T bytes = std::max<SIZE_T>(text.size() + 1, nSize);
        auto* block = static_cast<char*>(LocalAlloc(LMEM_FIXED, bytes));
        if (!block) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
        memcpy(block, text.c_str(), text.size() + 1);
        *reinterpret_cast<LPSTR*>(lpBuffer) = block;
        return static_cast<DWORD>(text.size());
    }
    if (!lpBuffer || nSize < text.size() + 1) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    memcpy(lpBuffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}
