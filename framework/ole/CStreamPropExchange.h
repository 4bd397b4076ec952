// Exchange with a stream: the values follow one another in the order they are exchanged,
// without names. Numbers are little-endian; a string is its length in UTF-16 code units (32
// bits) and its code units; a font is a presence byte, the font object's own persistence, then
// the size, face name and character set as the font was given them.
// A stream that ends early or holds an impossible length makes the exchange fail, a length
// beyond what the stream still holds before anything is allocated for it.
#pragma once
#include "CPropExchange.h"

#include <objidl.h>

class AFX_CORE_API CStreamPropExchange : public CPropExchange
{
public:
    CStreamPropExchange(IStream* pStream, BOOL bLoading);
    BOOL ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL bConvert) override;
    BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = nullptr) override;
    BOOL ExchangeFont(LPCTSTR pszPropName, CFontHolder& font, const FONTDESC* pFontDesc,
                      IFontDisp* pFontDispAmbient) override;

    // The longest string a stream may hold, in code units.
    static const ULONG m_kulMaxString = 0x4000000;
    // The presence byte of a font with its size, face and character set as given; 1 marks a
    // font followed by its size alone, as earlier sets hold it.
    static const BYTE m_kbFontAsGiven = 2;

private:
    BOOL ReadBytes(void* pv, ULONG cb);
    // Whether the stream still holds cb bytes after its position; true when it cannot tell.
    BOOL CanStillDeliver(ULONGLONG cb);
    BOOL WriteBytes(const void* pv, ULONG cb);

    IStream* m_pStream;
};
