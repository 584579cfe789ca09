#include "store/replace_file.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#endif

namespace store {

#ifdef _WIN32

static int errno_of(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

int flush_to_disk(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 0 : (errno != 0 ? errno : EIO); }

bool file_exists(const char* path)
{
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool write_protected(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

int replace_file(const char* source, const char* target)
{
    if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return errno_of(GetLastError());
}

#else

int flush_to_disk(std::FILE* file) { return fsync(fileno(file)) == 0 ? 0 : errno; }

bool file_exists(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 || errno != ENOENT;
}

bool write_protected(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

int replace_file(const char* source, const char* target) { return std::rename(source, target) == 0 ? 0 : errno; }

#endif

}  // namespace store
