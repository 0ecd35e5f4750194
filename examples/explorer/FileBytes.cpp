#include "FileBytes.h"

#include <windows.h>

bool ReadFileBytes(const std::wstring& path, std::string& bytes)
{
    HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool bRead = ::GetFileSizeEx(hFile, &size) && size.QuadPart < 0x7FFFFFFF;
    if (bRead)
    {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD nRead = 0;
        bRead = bytes.empty() || (::ReadFile(hFile, &bytes[0], static_cast<DWORD>(bytes.size()), &nRead, nullptr) &&
                                  nRead == bytes.size());
    }
    ::CloseHandle(hFile);
    return bRead;
}

bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes)
{
    const std::wstring temporary = path + L".tav-saving";
    HANDLE hFile = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    bool bWritten = bytes.empty() ||
                    (::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nWritten, nullptr) &&
                     nWritten == bytes.size());
    bWritten = ::CloseHandle(hFile) && bWritten;
    if (!bWritten || !::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}
