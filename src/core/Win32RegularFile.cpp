#include "core/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

bool OpenRegularFile(QFile &file, const QString &path)
{
    // Device names ("COM1", "NUL") and pipes are never opened: opening a port raises its lines.
    if (!QFileInfo(path).isFile())
        return false;
    const QString native = QDir::toNativeSeparators(path);
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    // The check is made on the opened file, so a file swapped in between is refused too.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return false;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return false;
    }
    return true;
}

bool IsFileOrAbsent(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

namespace {
HANDLE OpenNative(const QString &path, DWORD access, DWORD share, DWORD disposition)
{
    const QString native = QDir::toNativeSeparators(path);
    return CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), access, share, nullptr,
        disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}
} // namespace

bool AppendOnlyFile::Create(const QString &path)
{
    Close();
    // Others may read it, but none may write it: FileInUse opens it so and is refused.
    HANDLE handle = OpenNative(path, FILE_APPEND_DATA, FILE_SHARE_READ, CREATE_NEW);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    handle_ = static_cast<long long>(reinterpret_cast<intptr_t>(handle));
    return true;
}

bool AppendOnlyFile::Append(const char *bytes, long long size)
{
    HANDLE handle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle_));
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : DWORD(size);
        DWORD written = 0;
        if (!WriteFile(handle, bytes, chunk, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

bool AppendOnlyFile::Sync()
{
    return FlushFileBuffers(reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle_))) != 0;
}

void AppendOnlyFile::Close()
{
    if (handle_ != -1)
        CloseHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle_)));
    handle_ = -1;
}

bool FileInUse(const QString &path)
{
    // Refused while a writer holds it open, as AppendOnlyFile does.
    HANDLE handle = OpenNative(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}
