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

int CALLBACK OnRecord(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    ScanState& state = *reinterpret_cast<ScanState*>(lParam);
    switch (pRecord->iType) {
    case EMR_EXTCREATEFONTINDIRECTW: {
        const auto* p = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(pRecord);
        state.fonts[p->ihFont] = p->elfw.elfLogFont;
        state.scan->fontsCreated.push_back(p->elfw.elfLogFont);
        break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
        const auto* p = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(pRecord);
        state.brushes[p->ihBrush] = p->lb.lbColor;
        break;
    }
    case EMR_SELECTOBJECT: {
        const DWORD ih = reinterpret_cast<const EMRSELECTOBJECT*>(pRecord)->ihObject;
        if (ih == (ENHMETA_STOCK_OBJECT | BLACK_PEN))
            ++state.scan->selectsOfStockBlackPen;
        if (state.fonts.count(ih))
            state.font = state.fonts[ih];
        if (state.brushes.count(ih))
            state.brushColour = state.brushes[ih];
        break;
    }
    case EMR_SETTEXTCOLOR:
        state.textColour = reinterpret_cast<const EMRSETTEXTCOLOR*>(pRecord)->crColor;
        break;
    case EMR_EXTTEXTOUTW: {
        const auto* p = reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
        EmfText text;
        const auto* pch = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(pRecord) + p->emrtext.offString);
        text.text.assign(pch, p->emrtext.nChars);
        text.ref = {p->emrtext.ptlReference.x, p->emrtext.ptlReference.y};
        text.clip = {p->emrtext.rcl.left, p->emrtext.rcl.top, p->emrtext.rcl.right, p->emrtext.rcl.bottom};
        text.options = p->emrtext.fOptions;
        text.face = state.font.lfFaceName;
        text.height = state.font.lfHeight;
        text.colour = state.textColour;
        state.scan->texts.push_back(text);
        break;
    }
    case EMR_MOVETOEX: {
        const auto* p = reinterpret_cast<const EMRMOVETOEX*>(pRecord);
        state.position = {p->ptl.x, p->ptl.y};
        break;
    }
    case EMR_LINETO: {
        const auto* p = reinterpret_cast<const EMRLINETO*>(pRecord);
        const POINT to = {p->ptl.x, p->ptl.y};
        state.scan->lines.push_back({state.position, to});
        state.position = to;
        break;
    }
    case EMR_BITBLT: {
        // FillRect arrives as a pattern blit with the selected brush.
        const auto* p = reinterpret_cast<const EMRBITBLT*>(pRecord);
        state.scan->fills.push_back({{p->xDest, p->yDest, p->xDest + p->cxDest, p->yDest + p->cyDest}, state.brushColour});
        break;
    }
    case EMR_FILLRGN: {
        const auto* p = reinterpret_cast<const EMRFILLRGN*>(pRecord);
        const COLORREF colour = state.brushes.count(p->ihBrush) ? state.brushes[p->ihBrush] : 0;
        state.scan->fills.push_back({{p->rclBounds.left, p->rclBounds.top, p->rclBounds.right + 1, p->rclBounds.bottom + 1}, colour});
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
