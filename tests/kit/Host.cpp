#include "kit/Host.h"
#include "kit/Pump.h"

namespace kit
{
DialogTemplate::DialogTemplate(LPCWSTR lpszCaption, int cx, int cy, DWORD dwStyle)
{
    DLGTEMPLATE header{};
    header.style = dwStyle;
    header.cx = static_cast<short>(cx);
    header.cy = static_cast<short>(cy);
    const WORD* pHeader = reinterpret_cast<const WORD*>(&header);
    m_words.assign(pHeader, pHeader + sizeof(header) / sizeof(WORD));
    m_words.push_back(0);  // no menu
    m_words.push_back(0);  // the dialog class
    AddString(lpszCaption);
    if (dwStyle & DS_SETFONT)
    {
        m_words.push_back(8);
        AddString(L"MS Shell Dlg");
    }
}

DialogTemplate& DialogTemplate::AddControl(LPCWSTR lpszClass, LPCWSTR lpszText, DWORD dwStyle, int x, int y, int cx,
                                           int cy, WORD nID)
{
    AlignToDword();
    DLGITEMTEMPLATE item{};
    item.style = dwStyle | WS_CHILD | WS_VISIBLE;
    item.x = static_cast<short>(x);
    item.y = static_cast<short>(y);
    item.cx = static_cast<short>(cx);
    item.cy = static_cast<short>(cy);
    item.id = nID;
    const WORD* pItem = reinterpret_cast<const WORD*>(&item);
    m_words.insert(m_words.end(), pItem, pItem + sizeof(item) / sizeof(WORD));
    AddString(lpszClass);
    AddString(lpszText);
    m_words.push_back(0);  // no creation data
    reinterpret_cast<DLGTEMPLATE*>(m_words.data())->cdit++;
    return *this;
}

void DialogTemplate::AddString(LPCWSTR lpszText)
{
    for (; lpszText && *lpszText; ++lpszText)
        m_words.push_back(*lpszText);
    m_words.push_back(0);
}

void DialogTemplate::AlignToDword()
{
    if (m_words.size() % 2)
        m_words.push_back(0);
}

CHostDialog::~CHostDialog()
{
    DestroyWindow();
    PumpUntilIdle();
}

BOOL CHostDialog::Open(int cxClient, int cyClient)
{
    if (!Open(DialogTemplate(L"Test host", 10, 10)))
        return FALSE;
    CRect rcWindow(0, 0, cxClient, cyClient);
    ::AdjustWindowRectEx(&rcWindow, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, rcWindow.Width(), rcWindow.Height(), SWP_NOZORDER | SWP_NOMOVE);
    PumpUntilIdle();
    return TRUE;
}

BOOL CHostDialog::Open(const DialogTemplate& dialogTemplate)
{
    if (!CreateIndirect(dialogTemplate.Get()))
        return FALSE;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    ShowWindow(SW_SHOW);
    SetForegroundWindow();
    SetActiveWindow();
    PumpUntilIdle();
    return TRUE;
}
}
