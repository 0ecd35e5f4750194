// The bytes an archive stores, read back from the memory file under it.
#pragma once

#include "Archive.h"

#include <cstdlib>
#include <functional>
#include <vector>

using Bytes = std::vector<BYTE>;

inline Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    const size_t nLength = static_cast<size_t>(file.GetLength());
    BYTE* pData = file.Detach();
    Bytes bytes(pData, pData + nLength);
    std::free(pData);
    return bytes;
}
