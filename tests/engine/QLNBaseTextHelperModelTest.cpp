// The column model through the engine's public operations: resets, the two getters and the
// persistence of the ratios through a property exchange that keeps its values in a map.
#include "QLNBaseTextHelper.h"

#include "CFontHolder.h"
#include "CPropExchange.h"
#include "RowName.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

// A property bag in memory: names to numbers, with the order in which they were written.
class MapPropExchange : public CPropExchange
{
public:
    explicit MapPropExchange(BOOL bLoading) { m_bLoading = bLoading; }

    BOOL ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL) override
    {
        dwVersionLoaded = dwVersionDefault;
        return TRUE;
    }
    BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override
    {
        if (vtProp != VT_UI4 && vtProp != VT_R8)
            return FALSE;
        if (!m_bLoading) {
            values[pszPropName] = vtProp == VT_UI4 ? *static_cast<ULONG*>(pvProp) : *static_cast<double*>(pvProp);
            order.push_back(pszPropName);
            return TRUE;
        }
        auto it = values.find(pszPropName);
        if (it == values.end()) {
            if (pvDefault && vtProp == VT_UI4)
                *static_cast<ULONG*>(pvProp) = *static_cast<const ULONG*>(pvDefault);
            else if (pvDefault)
                *static_cast<double*>(pvProp) = *static_cast<const double*>(pvDefault);
            return TRUE;
        }
        if (vtProp == VT_UI4)
            *static_cast<ULONG*>(pvProp) = static_cast<ULONG>(it->second);
        else
            *static_cast<double*>(pvProp) = it->second;
        return TRUE;
    }

    // The engine exchanges no font.
    BOOL ExchangeFont(LPCTSTR, CFontHolder&, const FONTDESC*, IFontDisp*) { return FALSE; }

    std::map<std::wstring, double> values;
    std::vector<std::wstring> order;
};

std::vector<double> Ratios(const CQLNBaseTextHelper& engine)
{
    long n = -1;
    engine.m_fnGetVisibleColumnCount(&n);
    std::vector<double> ratios;
    for (long i = 0; i < n; ++i) {
        double d = -1;
        engine.m_fnGetColumnWidthRatio(i, &d);
        ratios.push_back(d);
    }
    return ratios;
}

struct ResetRow { const char* name; int columns; int dataLabel; short spacing; std::vector<double> ratios; };

const ResetRow kResetRows[] = {
    // Label and value columns: twice the logical columns, each an equal share.
    {"three with label columns", 3, 1, 1, {6, 6, 6, 6, 6, 6}},
    // Without label spacing or without labels a logical column is one column.
    {"three without spacing", 3, 1, 0, {3, 3, 3}},
    {"three without labels", 3, 0, 1, {3, 3, 3}},
    // No columns: an empty model.
    {"no columns", 0, 1, 1, {}},
    {"negative columns", -1, 1, 0, {}},
};

class EngineReset : public testing::TestWithParam<ResetRow> {};

TEST_P(EngineReset, GivesEveryColumnAnEqualShare)
{
    const ResetRow& row = GetParam();
    CQLNBaseTextHelper engine(nullptr);
    EXPECT_EQ(1, engine.m_fnResetColumnWidths(row.columns, row.dataLabel, row.spacing));
    EXPECT_EQ(row.ratios, Ratios(engine)) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, EngineReset, testing::ValuesIn(kResetRows), RowName<ResetRow>);

TEST(EngineModel, StartsEmptyWithUnitZoom)
{
    CQLNBaseTextHelper engine(nullptr);
    long n = -1;
    EXPECT_EQ(1, engine.m_fnGetVisibleColumnCount(&n));
    EXPECT_EQ(0, n);
    EXPECT_EQ(1.0, engine.m_fnGetZoom());
    EXPECT_EQ(1, engine.m_fnSetZoom(1.5));
    EXPECT_EQ(1.5, engine.m_fnGetZoom());
}

TEST(EngineModel, GettersRefuseNullAndAnswerZeroOutsideTheColumns)
{
    CQLNBaseTextHelper engine(nullptr);
    engine.m_fnResetColumnWidths(2, 1, 0);
    EXPECT_EQ(0, engine.m_fnGetVisibleColumnCount(nullptr));
    EXPECT_EQ(0, engine.m_fnGetColumnWidthRatio(0, nullptr));
    double d = -1;
    EXPECT_EQ(1, engine.m_fnGetColumnWidthRatio(-1, &d));
    EXPECT_EQ(0.0, d);
    d = -1;
    EXPECT_EQ(1, engine.m_fnGetColumnWidthRatio(2, &d));
    EXPECT_EQ(0.0, d);
}

TEST(EnginePersistence, SavesTheVersionThenOneRatioPerColumn)
{
    CQLNBaseTextHelper engine(nullptr);
    engine.m_fnResetColumnWidths(2, 1, 0);
    MapPropExchange load(TRUE);
    load.values = {{L"ColWidthRatio0", 2.4}, {L"ColWidthRatio1", 4.0}};
    engine.DoPropExchange(&load);

    MapPropExchange save(FALSE);
    engine.DoPropExchange(&save);
    const std::vector<std::wstring> order = {L"VelBaseTextVer", L"ColWidthRatio0", L"ColWidthRatio1"};
    EXPECT_EQ(order, save.order);
    EXPECT_EQ(2.0, save.values[L"VelBaseTextVer"]);
    EXPECT_EQ(2.4, save.values[L"ColWidthRatio0"]);
    EXPECT_EQ(4.0, save.values[L"ColWidthRatio1"]);
}

TEST(EnginePersistence, EveryVersionLoadsAlike)
{
    CQLNBaseTextHelper engine(nullptr);
    engine.m_fnResetColumnWidths(2, 1, 0);
    MapPropExchange load(TRUE);
    load.values = {{L"VelBaseTextVer", 7}, {L"ColWidthRatio0", 1.5}, {L"ColWidthRatio1", 3.0}};
    engine.DoPropExchange(&load);
    EXPECT_EQ((std::vector<double>{1.5, 3.0}), Ratios(engine));
}

TEST(EnginePersistence, MissingOrDamagedRatiosLoadAsEqualShares)
{
    CQLNBaseTextHelper engine(nullptr);
    engine.m_fnResetColumnWidths(3, 0, 0);
    MapPropExchange load(TRUE);
    // ColWidthRatio2 is missing: data saved with fewer columns.
    load.values = {{L"ColWidthRatio0", std::numeric_limits<double>::quiet_NaN()}, {L"ColWidthRatio1", -4.0}};
    engine.DoPropExchange(&load);
    EXPECT_EQ((std::vector<double>{0.0, 0.0, 0.0}), Ratios(engine));
    load.values = {{L"ColWidthRatio0", std::numeric_limits<double>::infinity()}, {L"ColWidthRatio1", 0.5},
                   {L"ColWidthRatio2", 6.0}};
    engine.DoPropExchange(&load);
    EXPECT_EQ((std::vector<double>{0.0, 0.5, 6.0}), Ratios(engine));
}

TEST(EnginePersistence, EmptyModelExchangesOnlyTheVersion)
{
    CQLNBaseTextHelper engine(nullptr);
    MapPropExchange save(FALSE);
    engine.DoPropExchange(&save);
    EXPECT_EQ(std::vector<std::wstring>{L"VelBaseTextVer"}, save.order);
    engine.DoPropExchange(nullptr);
}

} // namespace
