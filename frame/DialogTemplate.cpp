#include "DialogTemplate.h"
#include "Module.h"

namespace
{
// Reads the parts of a template in order, never past its end.
class CTemplateReader
{
public:
    CTemplateReader(const BYTE* pData, DWORD nSize) : m_pData(pData), m_nSize(nSize) {}

    bool Skip(DWORD nBytes)
    {
        if (nBytes > m_nSize - m_nAt)
            return false;
        m_nAt += nBytes;
        return true;
    }
    bool ReadWord(WORD& w)
    {
        if (sizeof(WORD) > m_nSize - m_nAt)
            return false;
        w = static_cast<WORD>(m_pData[m_nAt] | (m_pData[m_nAt + 1] << 8));
        m_nAt += sizeof(WORD);
        return true;
    }
    // A NUL-terminated string of wide characters.
    bool ReadString(CString& str)
    {
        CString strRead;
        for (WORD ch; ReadWord(ch);)
        {
            if (ch == 0)
            {
                str = strRead;
                return true;
            }
            strRead += static_cast<wchar_t>(ch);
        }
        return false;
    }
    // The menu and class fields: nothing (0), an ordinal (0xFFFF and a WORD) or a string.
    bool SkipNameOrOrdinal()
    {
        WORD wFirst;
        if (!ReadWord(wFirst))
            return false;
        if (wFirst == 0)
            return true;
        if (wFirst == 0xFFFF)
            return Skip(sizeof(WORD));
        m_nAt -= sizeof(WORD);
        CString strIgnored;
        return ReadString(strIgnored);
    }

private:
    const BYTE* m_pData;
    DWORD m_nSize;
    DWORD m_nAt = 0;
};

// The header before the menu field: DLGTEMPLATE, or DLGTEMPLATEEX (version 1, signature 0xFFFF).
const DWORD kClassicHeaderSize = 18;
const DWORD kExtendedHeaderSize = 26;

bool ReadCaption(const BYTE* pData, DWORD nSize, CString& strCaption)
{
    CTemplateReader reader(pData, nSize);
    WORD wVersion = 0, wSignature = 0;
    if (!reader.ReadWord(wVersion) || !reader.ReadWord(wSignature))
        return false;
    const bool bExtended = wVersion == 1 && wSignature == 0xFFFF;
    CTemplateReader body(pData, nSize);
    return body.Skip(bExtended ? kExtendedHeaderSize : kClassicHeaderSize) && body.SkipNameOrOrdinal() &&
           body.SkipNameOrOrdinal() && body.ReadString(strCaption);
}
}

BOOL CTavDialogTemplate::Load(LPCWSTR lpszTemplateName)
{
    m_strCaption = L"";
    if (!lpszTemplateName)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceW(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    const BYTE* pData = hTemplate ? static_cast<const BYTE*>(::LockResource(hTemplate)) : nullptr;
    CString strCaption;
    if (!pData || !ReadCaption(pData, ::SizeofResource(hInst, hResource), strCaption))
        return FALSE;
    m_strCaption = strCaption;
    return TRUE;
}
