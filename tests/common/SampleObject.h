// The sample text object as the control tests drive it: made through its registration by the
// host's own client, and read back in forms a test compares. A read that fails gives a value no
// property holds, so the comparison fails and names the property.
#pragma once
#include "CQLNTextObjClient.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <ostream>
#include <string>
#include <vector>

namespace SampleObject {

// A new object of the sample server, registered for this process on first use; false with the
// reason in error.
bool Create(CQLNTextObjClient& object, std::wstring& error);

// Arguments of the types the properties take; a font is not consumed.
VARIANT Short(short value);
VARIANT Int(long value);
VARIANT Bool(bool value);
VARIANT Colour(OLE_COLOR value);
VARIANT Font(IFontDisp* pFont);

long Long(CQLNTextObjClient& object, const wchar_t* name);
std::wstring Text(CQLNTextObjClient& object, const wchar_t* name);
Microsoft::WRL::ComPtr<IFont> FontOf(CQLNTextObjClient& object, const wchar_t* name);
std::vector<double> ColumnWidthRatios(CQLNTextObjClient& object);
// Line n as handed out, and the method's result in *pnResult.
std::wstring Line(CQLNTextObjClient& object, long n, long* pnResult = nullptr);

// The property set in the readable text bag: saved (empty on failure) and loaded.
std::string SaveBagText(CQLNTextObjClient& object);
bool LoadBagText(CQLNTextObjClient& object, const std::string& text);

// A font object of the system's own, as a host hands to a font property.
Microsoft::WRL::ComPtr<IFontDisp> MakeFont(const wchar_t* face, long long size, bool bold, bool italic);

} // namespace SampleObject

// A font description of a font object, for comparisons.
struct FontFacts
{
    std::wstring name;
    long long size;   // currency units: points times 10000
    bool bold;
    bool italic;
    // The system's font object reports the size of the font it realised, not the size it was
    // given (10 points read back as 10.5): sizes match within a point.
    bool operator==(const FontFacts& o) const
    {
        const long long d = size > o.size ? size - o.size : o.size - size;
        return name == o.name && d <= 10000 && bold == o.bold && italic == o.italic;
    }
};
FontFacts FactsOf(IFont* pFont);
void PrintTo(const FontFacts& facts, std::ostream* os);
