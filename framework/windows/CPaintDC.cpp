#include "CPaintDC.h"

#include "CWnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr)
{
    if (m_hWnd != nullptr)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd != nullptr) {
        // BeginPaint's DC is given back with EndPaint, never deleted.
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}
