// The token table: every row's key leads to the identifier that its position's range gives.
#include "QLNDefaultText.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The keys in table order, as the hosts know them.
const wchar_t* const kKeys[] = {
    /*   0 */ L"CompName", L"DetType", L"Filter", L"Trace1", L"PMOperator",
    /*   5 */ L"Trace2", L"MassRange1", L"Wavelength1", L"MassRange2", L"Wavelength2",
    /*  10 */ L"Keys", L"BasePeak(BP)", L"MassRange(MR)", L"ExpRT", L"Window",
    /*  15 */ L"ViewWdth", L"RTRef", L"AdjExpRT", L"AdjUsing", L"PeakDetAlgorithm",
    /*  20 */ L"CrestSmoothPts", L"CrestSNThresh", L"CrestValleyDet", L"CrestExpPkWidth", L"CrestConPkWdth",
    /*  25 */ L"CrestConPkHght", L"CrestConTailFact", L"CrestIdentBy", L"CrestMinPeakHt", L"CrestIonRatConf",
    /*  30 */ L"CrestWinPC", L"CrestQualIonCoel", L"CrestSpecThreshFor", L"CrestSpecThreshRev", L"CrestSpecThreshMatch",
    /*  35 */ L"RidgeSmoothPts", L"RidgeBLWindow", L"RidgeArNseFact", L"RidgePkNoiseFact", L"RidgeConPkWdth",
    /*  40 */ L"RidgePeakHeight", L"RidgeTailFact", L"RidgeIdentBy", L"RidgeMinPeakHt", L"RidgeIonRatConf",
    /*  45 */ L"RidgeWinPC", L"RidgeQualIonCoel", L"RidgeSpecThreshFor", L"RidgeSpecThreshRev", L"RidgeSpecThreshMatch",
    /*  50 */ L"SummitSmoothPts", L"SummitIdentBy", L"SummitMinPeakHt", L"SummitIonRatConf", L"SummitWinPC",
    /*  55 */ L"SummitQualIonCoel", L"SummitSpecThreshFor", L"SummitSpecThreshRev", L"SummitSpecThreshMatch", L"CrestPkSNCutoff",
    /*  60 */ L"CrestReportNoiseAs", L"CrestRise", L"CrestValleySN", L"CrestScansInBG", L"RidgeNoiseMethod",
    /*  65 */ L"RidgeMinPkWdth", L"RidgeMultipletRes", L"RidgeAreaTailExt", L"RidgeAreaScanWind", L"CompType",
    /*  70 */ L"RSD_Method", L"Amount", L"ISTDUnits", L"ISTD", L"Weighting",
    /*  75 */ L"Origin", L"Response", L"CaliCurve", L"TgetCompUnits", L"NumCalLevels",
    /*  80 */ L"NumQCLevels", L"ScanThresh", L"PeakCoverage", L"LimScanWaveRange", L"DetType",
    /*  85 */ L"Trace", L"MassRange", L"ExpRetTime", L"RetTimeWindow", L"ViewWidth",
    /*  90 */ L"RetTimeRef", L"StdDilBaseAmt", L"CrestSmoothPnts", L"ValleyDetEnbld", L"CrestMinPeakHt",
    /*  95 */ L"RidgeSmoothPnts", L"RidgeMinPkHt", L"SummitSmoothPnts", L"ResThresh", L"SymPeakHt",
    /* 100 */ L"SymThresh", L"WidPeakHt", L"MinPeakWid", L"MaxPeakWid", L"TailPeakHt",
    /* 105 */ L"TailFailThresh", L"OverPeakHt", L"OverFailThresh", L"NDPeakWdths", L"SNRatio",
    /* 110 */ L"rSquared", L"DetLimit", L"QuanLimit", L"LinLimit", L"CarOvrLmt",
    /* 115 */ L"AreaThresh", L"HeightThresh", L"CreatedBy", L"WhenCreated", L"LastMod",
    /* 120 */ L"ModifiedBy", L"Summary", L"VoidTime", L"BLandNoiseWin", L"BLNoiseTol",
    /* 125 */ L"MinBLScans", L"ChromBy", L"CaliBy", L"DetectDelay", L"TraceType1",
    /* 130 */ L"Operator", L"TraceType2", L"Mass1", L"Mass2", L"Range",
    /* 135 */ L"SelTopPks", L"SelectBy", L"NumToSelect", L"RelPkHtThresh", L"PCofHighPk",
    /* 140 */ L"MinMassesReqd", L"MinPCMassFnd", L"MinPkHt", L"WinSize", L"FilterWidth",
    /* 145 */ L"RecompInt", L"SpecEnhUsage", L"RefineWinSize", L"NoiseThresh", L"LeftRegWidth",
    /* 150 */ L"RegionEnd", L"PkTopWidthPts", L"RightRegWidth", L"RegionStart", L"CutoffThresh",
    /* 155 */ L"Identity", L"Similarity", L"MaxNumHits", L"ReverseSearch", L"SearchWithMW",
    /* 160 */ L"Availability", L"UserLib", L"Matchfact", L"RevMatchFact", L"Probability",
    /* 165 */ L"SearchLib", L"MolWghtRng", L"OtherDB", L"NameFrag", L"ElemConstEnbld",
    /* 170 */ L"ElemInComp", L"ElemInf", L"MSPkConstEnabld", L"MSPkMeasure", L"ISTDName",
    /* 175 */ L"RT", L"Resp", L"Area", L"Height", L"Width",
    /* 180 */ L"BL", L"SN", L"Sat", L"PeakStat", L"SysSuit",
    /* 185 */ L"DataFlags", L"SpeciAmt", L"CalcAmt", L"Diff", L"RespRatio",
    /* 190 */ L"AreaRatio", L"HeightRatio", L"IonRatioStat", L"PeakPur", L"SampType",
    /* 195 */ L"CaliFlags", L"DataFile", L"OrigDataPath", L"CurrDataPath", L"SampID",
    /* 200 */ L"SampName", L"AcqDate", L"RunTime", L"Comments", L"Vial",
    /* 205 */ L"InjVol", L"Scans", L"LowMass", L"HighMass", L"SampVol",
    /* 210 */ L"SampWt", L"ISTDAmt", L"CalLevel", L"DilFactor", L"InstMthd",
    /* 215 */ L"ProcMthd", L"CurrentProcMthd", L"CaliFile", L"Rev", L"Barcode",
    /* 220 */ L"BarcodeStatus", L"UserVal1", L"UserVal2", L"UserVal3", L"UserVal4",
    /* 225 */ L"UserVal5", L"UserLabel1", L"UserLabel2", L"UserLabel3", L"UserLabel4",
    /* 230 */ L"UserLabel5", L"InstName", L"InstModel", L"InstSerialNumber", L"InstHardRevision",
    /* 235 */ L"InstrumentMethod",
};
static_assert(sizeof kKeys / sizeof kKeys[0] == 236, "one key per row");

// Identifiers were handed out before rows were inserted and moved, so they follow the position
// only piecewise.
int IdentifierOfRow(int p)
{
    if (p <= 24) return p;
    if (p == 25) return 132;        // CrestConPkHght, moved up from after Mass2
    if (p <= 83) return p - 1;
    if (p == 84) return 1;          // DetType again
    if (p <= 93) return p - 2;
    if (p == 94) return 27;         // CrestMinPeakHt again
    if (p <= 129) return p - 2;
    if (p == 130) return 199;       // Operator
    if (p <= 134) return p - 3;
    if (p <= 200) return p - 2;
    if (p <= 230) return p - 1;
    return p;
}

} // namespace

TEST(TokenTable, EveryRowsKeyGivesTheIdentifierOfItsRange)
{
    for (int p = 0; p < 236; ++p)
        EXPECT_EQ(IdentifierOfRow(p), CQLNDefaultText::GetTDByTokenText(kKeys[p]))
            << "row " << p;
}

TEST(TokenTable, IdentifiersCoverZeroTo235Except92And230)
{
    std::set<int> ids;
    for (int p = 0; p < 236; ++p)
        ids.insert(CQLNDefaultText::GetTDByTokenText(kKeys[p]));
    EXPECT_EQ(234u, ids.size());
    EXPECT_EQ(0, *ids.begin());
    EXPECT_EQ(235, *ids.rbegin());
    EXPECT_EQ(0u, ids.count(92));
    EXPECT_EQ(0u, ids.count(230));
}

TEST(TokenTable, EnumerationNamesTheSameNumbers)
{
    EXPECT_EQ(173, QLTT_RT);
    EXPECT_EQ(0, QLTT_CompName);
    EXPECT_EQ(194, QLTT_DataFile);
    EXPECT_EQ(235, QLTT_InstrumentMethod);
    EXPECT_EQ(1, QLTT_DetType);
    EXPECT_EQ(132, QLTT_CrestConPkHght);
    EXPECT_EQ(199, QLTT_Operator);
    EXPECT_EQ(27, QLTT_CrestMinPeakHt);
    EXPECT_EQ(QLTT_RT, CQLNDefaultText::GetTDByTokenText(L"RT"));
    EXPECT_EQ(QLTT_BasePeakBP, CQLNDefaultText::GetTDByTokenText(L"BasePeak(BP)"));
}

TEST(TokenTable, KeysMatchExactlyAndWithoutBraces)
{
    EXPECT_EQ(-1, CQLNDefaultText::GetTDByTokenText(L"rt"));
    EXPECT_EQ(-1, CQLNDefaultText::GetTDByTokenText(L"{RT}"));
    EXPECT_EQ(-1, CQLNDefaultText::GetTDByTokenText(L"RT "));
    EXPECT_EQ(-1, CQLNDefaultText::GetTDByTokenText(L"R"));
    EXPECT_EQ(-1, CQLNDefaultText::GetTDByTokenText(L""));
    EXPECT_EQ(-1, CQLNDefaultText::GetTDByTokenText(nullptr));
}
