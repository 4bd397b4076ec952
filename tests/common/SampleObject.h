// The sample text object as the control tests drive it: made through its registration by the
// host's own client, and read back in forms a test compares.
#pragma once
#include "COleControl.h"
#include "CQLNTextObjClient.h"

#include <olectl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

class COleControl;

namespace SampleObject {

// A new object of the sample server, registered for this process on first use; false with the
// reason in error.
bool Create(CQLNTextObjClient& object, std::wstring& error);

// The framework object behind the object's dispatch interface (the sample lives in this
// process), for pages that edit it; null before the object is created.
COleControl* ControlOf(CQLNTextObjClient& object);

// A property as text; a read that fails gives a text no property holds, naming the failure.
std::wstring Get(CQLNTextObjClient& object, const wchar_t* name);
// GetColumnWidthRatio of every visible column; -1 where a call fails.
std::vector<double> ColumnWidthRatios(CQLNTextObjClient& object);

// Every property in the readable text bag (empty on failure); the modified flag stays as it was.
std::string SaveBagText(CQLNTextObjClient& object);
bool LoadBagText(CQLNTextObjClient& object, const std::string& text);
// Bag text with the values of the named properties replaced, the order kept; a name it lacks
// makes it a text the bag refuses.
std::string WithValues(std::string text, const std::vector<std::pair<std::string, std::string>>& values);

// A font object of the system's own, as a host hands to a font property (size in points times
// 10000), and the variant that passes it without taking a reference.
Microsoft::WRL::ComPtr<IFontDisp> MakeFont(const wchar_t* face, long long size, bool bold, bool italic);
VARIANT Font(IFontDisp* pFont);

} // namespace SampleObject
