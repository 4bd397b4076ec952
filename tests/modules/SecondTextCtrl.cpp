#include "SecondTextCtrl.h"

#include "second_text_res.h"

#include <new>

const CLSID CLSID_SecondTextCtrl = {0x3c8a1f64, 0x2b7d, 0x4e59, {0x9a, 0x0c, 0x71, 0xd4, 0xe6, 0xb2, 0xf8, 0x35}};

UINT CSecondTextCtrl::GetTitleID()
{
    return IDS_SECOND_TITLE;
}

CQLNDefaultText* CSecondTextCtrl::GetDefaultText()
{
    if (!m_pDefaultText) {
        UINT ids[SECOND_ITEM_COUNT];
        for (int i = 0; i < SECOND_ITEM_COUNT; ++i)
            ids[i] = IDS_SECOND_ITEM_FIRST + static_cast<UINT>(i);
        m_pDefaultText.reset(new (std::nothrow) CQLNDefaultText(ids, SECOND_ITEM_COUNT));
    }
    return m_pDefaultText.get();
}
