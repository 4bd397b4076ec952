#include "EmfScan.h"

#include <map>

namespace {

struct ScanState
{
    EmfScan* scan;
    std::map<DWORD, LOGFONTW> fonts;
    std::map<DWORD, COLORREF> brushes;
    LOGFONTW font = {};
    COLORREF textColour = 0;
    COLORREF brushColour = 0;
    POINT position = {0, 0};
};

template <class Record>
const Record& As(const ENHMETARECORD* pRecord)
{
    return *reinterpret_cast<const Record*>(pRecord);
}

int CALLBACK OnRecord(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    ScanState& state = *reinterpret_cast<ScanState*>(lParam);
    switch (pRecord->iType) {
    case EMR_EXTCREATEFONTINDIRECTW: {
        const auto& r = As<EMREXTCREATEFONTINDIRECTW>(pRecord);
        state.fonts[r.ihFont] = r.elfw.elfLogFont;
        state.scan->fontsCreated.push_back(r.elfw.elfLogFont);
        break;
    }
    case EMR_CREATEBRUSHINDIRECT:
        state.brushes[As<EMRCREATEBRUSHINDIRECT>(pRecord).ihBrush] = As<EMRCREATEBRUSHINDIRECT>(pRecord).lb.lbColor;
        break;
    case EMR_SELECTOBJECT: {
        const DWORD ih = As<EMRSELECTOBJECT>(pRecord).ihObject;
        state.scan->selectsOfStockBlackPen += ih == (ENHMETA_STOCK_OBJECT | BLACK_PEN);
        if (state.fonts.count(ih))
            state.font = state.fonts[ih];
        if (state.brushes.count(ih))
            state.brushColour = state.brushes[ih];
        break;
    }
    case EMR_SETTEXTCOLOR:
        state.textColour = As<EMRSETTEXTCOLOR>(pRecord).crColor;
        break;
    case EMR_EXTTEXTOUTW: {
        const EMRTEXT& t = As<EMREXTTEXTOUTW>(pRecord).emrtext;
        const auto* pch = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(pRecord) + t.offString);
        state.scan->texts.push_back({std::wstring(pch, t.nChars), {t.ptlReference.x, t.ptlReference.y},
                                     {t.rcl.left, t.rcl.top, t.rcl.right, t.rcl.bottom}, t.fOptions,
                                     state.font.lfFaceName, state.font.lfHeight, state.textColour, state.font});
        break;
    }
    case EMR_MOVETOEX:
        state.position = {As<EMRMOVETOEX>(pRecord).ptl.x, As<EMRMOVETOEX>(pRecord).ptl.y};
        break;
    case EMR_LINETO: {
        const POINT to = {As<EMRLINETO>(pRecord).ptl.x, As<EMRLINETO>(pRecord).ptl.y};
        state.scan->lines.push_back({state.position, to});
        state.position = to;
        break;
    }
    case EMR_BITBLT: {
        // FillRect arrives as a pattern blit with the selected brush.
        const auto& r = As<EMRBITBLT>(pRecord);
        state.scan->fills.push_back({{r.xDest, r.yDest, r.xDest + r.cxDest, r.yDest + r.cyDest}, state.brushColour});
        break;
    }
    case EMR_RECTANGLE: {
        const RECTL& r = As<EMRRECTANGLE>(pRecord).rclBox;
        state.scan->rectangles.push_back({r.left, r.top, r.right, r.bottom});
        break;
    }
    case EMR_FILLRGN: {
        const auto& r = As<EMRFILLRGN>(pRecord);
        const COLORREF colour = state.brushes.count(r.ihBrush) ? state.brushes[r.ihBrush] : 0;
        state.scan->fills.push_back({{r.rclBounds.left, r.rclBounds.top, r.rclBounds.right + 1, r.rclBounds.bottom + 1}, colour});
        break;
    }
    default:
        break;
    }
    return 1;
}

} // namespace

EmfScan::EmfScan(HENHMETAFILE hemf)
{
    ScanState state;
    state.scan = this;
    ::EnumEnhMetaFile(nullptr, hemf, OnRecord, &state, nullptr);
}

std::wstring EmfScan::TextList() const
{
    std::wstring s;
    for (const EmfText& t : texts)
        s += t.text + L"@" + std::to_wstring(t.ref.x) + L"," + std::to_wstring(t.ref.y) + L"|";
    return s;
}

const EmfText* EmfScan::Find(const std::wstring& s) const
{
    for (const EmfText& t : texts)
        if (t.text == s)
            return &t;
    return nullptr;
}
