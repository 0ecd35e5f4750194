#include "ListBoxHost.h"

BEGIN_MESSAGE_MAP(CListHost, kit::CHostDialog)
    ON_LBN_SELCHANGE(IDC_LIST, OnSelChange)
    ON_CONTROL(CLBN_CHKCHANGE, IDC_LIST, OnCheckChange)
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

void CListHost::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_cyMeasuredRow)
        lpMeasureItemStruct->itemHeight = m_cyMeasuredRow;
    else
        CWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void ListBoxTest::SetUp()
{
    ASSERT_TRUE(m_host.Open(400, 300));
    m_font.CreatePointFont(90, L"Tahoma");
}

void ListBoxTest::MakeList(DWORD dwStyle, const CRect& rect, std::initializer_list<LPCWSTR> strings)
{
    ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | dwStyle, rect, &m_host, IDC_LIST));
    m_list.SetFont(&m_font);
    // Rows measured with the font the list draws with.
    m_list.SetItemHeight(0, static_cast<UINT>(m_list.CalcMinimumItemHeight()));
    for (LPCWSTR lpszText : strings)
        m_list.AddString(lpszText);
    m_list.EnableFlyByTooltips();
    m_list.SetFocus();
    kit::PumpUntilIdle();
}

void ListBoxTest::HoverItem(int nIndex)
{
    kit::MouseMove(&m_list, m_list.TextPoint(nIndex) + CSize(1, 0));
    kit::MouseMove(&m_list, m_list.TextPoint(nIndex));
}

CSize ListBoxTest::TextExtent(LPCWSTR lpszText)
{
    CClientDC dc(&m_list);
    CFont* pOld = dc.SelectObject(&m_font);
    CSize size = dc.GetTextExtent(lpszText, static_cast<int>(wcslen(lpszText)));
    dc.SelectObject(pOld);
    return size;
}
