#include "SourceFile.h"
#include "FileBytes.h"

#include <windows.h>

namespace
{
const char s_bom[] = "\xEF\xBB\xBF";
// A NUL this early means a binary file, as most tools decide it.
const size_t s_nSniffBytes = 8000;

// FALSE for bytes that are not valid UTF-8.
bool Widen(const std::string& bytes, size_t nFrom, std::wstring& text)
{
    const char* p = bytes.data() + nFrom;
    const int nBytes = static_cast<int>(bytes.size() - nFrom);
    text.clear();
    if (nBytes == 0)
        return true;
    const int nChars = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, p, nBytes, nullptr, 0);
    if (nChars <= 0)
        return false;
    text.resize(static_cast<size_t>(nChars));
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, p, nBytes, &text[0], nChars);
    return true;
}
}

void CSourceFile::Load(const std::wstring& path)
{
    m_path = path;
    m_strText.Empty();
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
    {
        m_eState = eUnreadable;
        return;
    }
    m_onDisk = bytes;
    m_eState = Decode(bytes);
}

// The line breaks must all be of one kind, so that writing that kind back reproduces the file.
CSourceFile::EState CSourceFile::Decode(const std::string& bytes)
{
    m_bByteOrderMark = bytes.compare(0, 3, s_bom) == 0;
    std::wstring text;
    if (bytes.find('\0') < s_nSniffBytes || !Widen(bytes, m_bByteOrderMark ? 3 : 0, text))
        return eNotText;

    std::wstring editorText;
    editorText.reserve(text.size());
    bool bCrLf = false, bLf = false, bCr = false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
        {
            bCrLf = true;
            ++i;
        }
        else if (text[i] == L'\n')
            bLf = true;
        else if (text[i] == L'\r')
            bCr = true;
        else
        {
            editorText += text[i];
            continue;
        }
        editorText += L'\r';
    }
    if (int(bCrLf) + int(bLf) + int(bCr) > 1)
        return eMixedLines;
    m_lineBreak = bLf ? "\n" : bCr ? "\r" : "\r\n";
    m_strText = CString(editorText);
    return eText;
}

CString CSourceFile::GetNotice() const
{
    switch (m_eState)
    {
    case eNotText:
        return L"This file is not UTF-8 text (it holds a NUL byte or an invalid sequence); it is shown read-only.";
    case eMixedLines:
        return L"This file mixes kinds of line breaks; it is shown read-only so that saving cannot change them.";
    case eUnreadable:
        return L"This file could not be read.";
    default:
        return CString();
    }
}

std::string CSourceFile::Encode(const CString& strEditorText) const
{
    const std::wstring& text = strEditorText.Str();
    std::string bytes = m_bByteOrderMark ? s_bom : "";
    size_t nStart = 0;
    for (;;)
    {
        const size_t nBreak = text.find(L'\r', nStart);
        const size_t nEnd = nBreak == std::wstring::npos ? text.size() : nBreak;
        if (nEnd > nStart)
        {
            const int nChars = static_cast<int>(nEnd - nStart);
            const int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data() + nStart, nChars, nullptr, 0, nullptr, nullptr);
            const size_t nAt = bytes.size();
            bytes.resize(nAt + static_cast<size_t>(nBytes));
            ::WideCharToMultiByte(CP_UTF8, 0, text.data() + nStart, nChars, &bytes[nAt], nBytes, nullptr, nullptr);
        }
        if (nBreak == std::wstring::npos)
            return bytes;
        bytes += m_lineBreak;
        nStart = nBreak + 1;
    }
}

BOOL CSourceFile::IsChangedOnDisk() const
{
    std::string bytes;
    return !ReadFileBytes(m_path, bytes) || bytes != m_onDisk;
}

BOOL CSourceFile::Save(const CString& strEditorText)
{
    if (!IsEditable())
        return FALSE;
    const std::string bytes = Encode(strEditorText);
    if (!ReplaceFileBytes(m_path, bytes))
        return FALSE;
    m_onDisk = bytes;
    return TRUE;
}
