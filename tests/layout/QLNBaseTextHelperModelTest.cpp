// The column model's getters and the persistence of its ratios through the readable property bag
// a host keeps a text object in. The reset and missing keys are pinned through the control.
#include "QLNBaseTextHelper.h"

#include "CPropbagPropExchange.h"
#include "CQLNTextPropertyBag.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<double> Ratios(const CQLNBaseTextHelper& engine)
{
    long n = -1;
    engine.m_fnGetVisibleColumnCount(&n);
    std::vector<double> ratios(n < 0 ? 0 : n, -1.0);
    for (long i = 0; i < n; ++i)
        engine.m_fnGetColumnWidthRatio(i, &ratios[i]);
    return ratios;
}

void Load(CQLNBaseTextHelper& engine, const char* text)
{
    CQLNTextPropertyBag bag;
    std::wstring error;
    ASSERT_TRUE(bag.LoadText(text, error));
    CPropbagPropExchange px(&bag, nullptr, TRUE);
    engine.DoPropExchange(&px);
}

std::string Save(CQLNBaseTextHelper& engine)
{
    CQLNTextPropertyBag bag;
    CPropbagPropExchange px(&bag, nullptr, FALSE);
    engine.DoPropExchange(&px);
    return bag.SaveText();
}

TEST(EngineModel, GettersRefuseNullAndAnswerZeroOutsideTheColumns)
{
    CQLNBaseTextHelper engine(nullptr);
    EXPECT_TRUE(Ratios(engine).empty()) << "a new engine has no columns";
    engine.m_fnResetColumnWidths(2, 1, 0);
    EXPECT_EQ(0, engine.m_fnGetVisibleColumnCount(nullptr));
    EXPECT_EQ(0, engine.m_fnGetColumnWidthRatio(0, nullptr));
    for (long outside : {-1L, 2L}) {
        double d = -1;
        EXPECT_EQ(1, engine.m_fnGetColumnWidthRatio(outside, &d));
        EXPECT_EQ(0.0, d) << outside;
    }
}

TEST(EnginePersistence, SavesTheVersionThenOneRatioPerColumn)
{
    CQLNBaseTextHelper engine(nullptr);
    EXPECT_EQ("[Properties]\r\nVelBaseTextVer=2\r\n[End: 1 property]\r\n", Save(engine)) << "an empty model";
    engine.DoPropExchange(nullptr);
    engine.m_fnResetColumnWidths(2, 1, 0);
    Load(engine, "ColWidthRatio0=2.5\nColWidthRatio1=4\n");
    EXPECT_EQ("[Properties]\r\nVelBaseTextVer=2\r\nColWidthRatio0=2.5\r\nColWidthRatio1=4\r\n[End: 3 properties]\r\n", Save(engine));
}

TEST(EnginePersistence, LoadKeepsOnlyRatiosADragCanProduce)
{
    const struct { const char* why; const char* text; std::vector<double> ratios; } rows[] = {
        {"every version loads alike", "VelBaseTextVer=7\nColWidthRatio0=1.5\nColWidthRatio1=3\nColWidthRatio2=6\n", {1.5, 3, 6}},
        {"damaged values", "ColWidthRatio0=nan\nColWidthRatio1=-4\nColWidthRatio2=inf\n", {0, 0, 0}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        CQLNBaseTextHelper engine(nullptr);
        engine.m_fnResetColumnWidths(3, 0, 0);
        Load(engine, r.text);
        EXPECT_EQ(r.ratios, Ratios(engine));
    }
}

} // namespace
