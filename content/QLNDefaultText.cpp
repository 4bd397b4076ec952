#include "QLNDefaultText.h"

#include "QLNBaseRes.h"
#include "QLNLibraryString.h"
#include "QLNStringTokenizer.h"

#include <cwchar>
#include <new>

LONG g_lRTPrecision = 0;

// Defined here so that the exported class exports them: callers may bind them to references.
const int CQLNDefaultText::m_skiDecimalMin;
const int CQLNDefaultText::m_skiDecimalMax;
const int CQLNDefaultText::m_skiInvalidDecimal;
const int CQLNDefaultText::m_kiNumQLTxtToken;
const wchar_t CQLNDefaultText::m_sktcDelimiter;

namespace {

// Values whose decimals follow the RT precision.
const wchar_t* const kTimeTokens[] = {
    L"{ExpRT}", L"{Window}", L"{ViewWdth}", L"{CrestExpPkWidth}", L"{ExpRetTime}",
    L"{RetTimeWindow}", L"{ViewWidth}", L"{MinPeakWid}", L"{MaxPeakWid}", L"{DetectDelay}",
    L"{Range}", L"{WinSize}", L"{RT}", L"{Width}",
};

// A token that opens the resource text does not make a time item: only one after the first
// character counts.
bool IsTimeItem(const CString& strResource)
{
    for (const wchar_t* pszToken : kTimeTokens)
        if (strResource.Find(pszToken, 1) >= 0)
            return true;
    return false;
}

CString DecimalText(int n)
{
    CString str;
    str.Format(L"%d", n);
    return str;
}

} // namespace

// Rows are in the order the hosts have always searched them; two keys stand twice, with the same
// identifier both times, and the first row wins.
const CQLNDefaultText::structTxtToken CQLNDefaultText::m_structTxtToken[m_kiNumQLTxtToken] = {
    {QLTT_CompName, L"CompName"},
    {QLTT_DetType, L"DetType"},
    {QLTT_Filter, L"Filter"},
    {QLTT_Trace1, L"Trace1"},
    {QLTT_PMOperator, L"PMOperator"},
    {QLTT_Trace2, L"Trace2"},
    {QLTT_MassRange1, L"MassRange1"},
    {QLTT_Wavelength1, L"Wavelength1"},
    {QLTT_MassRange2, L"MassRange2"},
    {QLTT_Wavelength2, L"Wavelength2"},
    {QLTT_Keys, L"Keys"},
    {QLTT_BasePeakBP, L"BasePeak(BP)"},
    {QLTT_MassRangeMR, L"MassRange(MR)"},
    {QLTT_ExpRT, L"ExpRT"},
    {QLTT_Window, L"Window"},
    {QLTT_ViewWdth, L"ViewWdth"},
    {QLTT_RTRef, L"RTRef"},
    {QLTT_AdjExpRT, L"AdjExpRT"},
    {QLTT_AdjUsing, L"AdjUsing"},
    {QLTT_PeakDetAlgorithm, L"PeakDetAlgorithm"},
    {QLTT_CrestSmoothPts, L"CrestSmoothPts"},
    {QLTT_CrestSNThresh, L"CrestSNThresh"},
    {QLTT_CrestValleyDet, L"CrestValleyDet"},
    {QLTT_CrestExpPkWidth, L"CrestExpPkWidth"},
    {QLTT_CrestConPkWdth, L"CrestConPkWdth"},
    {QLTT_CrestConPkHght, L"CrestConPkHght"},
    {QLTT_CrestConTailFact, L"CrestConTailFact"},
    {QLTT_CrestIdentBy, L"CrestIdentBy"},
    {QLTT_CrestMinPeakHt, L"CrestMinPeakHt"},
    {QLTT_CrestIonRatConf, L"CrestIonRatConf"},
    {QLTT_CrestWinPC, L"CrestWinPC"},
    {QLTT_CrestQualIonCoel, L"CrestQualIonCoel"},
    {QLTT_CrestSpecThreshFor, L"CrestSpecThreshFor"},
    {QLTT_CrestSpecThreshRev, L"CrestSpecThreshRev"},
    {QLTT_CrestSpecThreshMatch, L"CrestSpecThreshMatch"},
    {QLTT_RidgeSmoothPts, L"RidgeSmoothPts"},
    {QLTT_RidgeBLWindow, L"RidgeBLWindow"},
    {QLTT_RidgeArNseFact, L"RidgeArNseFact"},
    {QLTT_RidgePkNoiseFact, L"RidgePkNoiseFact"},
    {QLTT_RidgeConPkWdth, L"RidgeConPkWdth"},
    {QLTT_RidgePeakHeight, L"RidgePeakHeight"},
    {QLTT_RidgeTailFact, L"RidgeTailFact"},
    {QLTT_RidgeIdentBy, L"RidgeIdentBy"},
    {QLTT_RidgeMinPeakHt, L"RidgeMinPeakHt"},
    {QLTT_RidgeIonRatConf, L"RidgeIonRatConf"},
    {QLTT_RidgeWinPC, L"RidgeWinPC"},
    {QLTT_RidgeQualIonCoel, L"RidgeQualIonCoel"},
    {QLTT_RidgeSpecThreshFor, L"RidgeSpecThreshFor"},
    {QLTT_RidgeSpecThreshRev, L"RidgeSpecThreshRev"},
    {QLTT_RidgeSpecThreshMatch, L"RidgeSpecThreshMatch"},
    {QLTT_SummitSmoothPts, L"SummitSmoothPts"},
    {QLTT_SummitIdentBy, L"SummitIdentBy"},
    {QLTT_SummitMinPeakHt, L"SummitMinPeakHt"},
    {QLTT_SummitIonRatConf, L"SummitIonRatConf"},
    {QLTT_SummitWinPC, L"SummitWinPC"},
    {QLTT_SummitQualIonCoel, L"SummitQualIonCoel"},
    {QLTT_SummitSpecThreshFor, L"SummitSpecThreshFor"},
    {QLTT_SummitSpecThreshRev, L"SummitSpecThreshRev"},
    {QLTT_SummitSpecThreshMatch, L"SummitSpecThreshMatch"},
    {QLTT_CrestPkSNCutoff, L"CrestPkSNCutoff"},
    {QLTT_CrestReportNoiseAs, L"CrestReportNoiseAs"},
    {QLTT_CrestRise, L"CrestRise"},
    {QLTT_CrestValleySN, L"CrestValleySN"},
    {QLTT_CrestScansInBG, L"CrestScansInBG"},
    {QLTT_RidgeNoiseMethod, L"RidgeNoiseMethod"},
    {QLTT_RidgeMinPkWdth, L"RidgeMinPkWdth"},
    {QLTT_RidgeMultipletRes, L"RidgeMultipletRes"},
    {QLTT_RidgeAreaTailExt, L"RidgeAreaTailExt"},
    {QLTT_RidgeAreaScanWind, L"RidgeAreaScanWind"},
    {QLTT_CompType, L"CompType"},
    {QLTT_RSD_Method, L"RSD_Method"},
    {QLTT_Amount, L"Amount"},
    {QLTT_ISTDUnits, L"ISTDUnits"},
    {QLTT_ISTD, L"ISTD"},
    {QLTT_Weighting, L"Weighting"},
    {QLTT_Origin, L"Origin"},
    {QLTT_Response, L"Response"},
    {QLTT_CaliCurve, L"CaliCurve"},
    {QLTT_TgetCompUnits, L"TgetCompUnits"},
    {QLTT_NumCalLevels, L"NumCalLevels"},
    {QLTT_NumQCLevels, L"NumQCLevels"},
    {QLTT_ScanThresh, L"ScanThresh"},
    {QLTT_PeakCoverage, L"PeakCoverage"},
    {QLTT_LimScanWaveRange, L"LimScanWaveRange"},
    {QLTT_DetType, L"DetType"},
    {QLTT_Trace, L"Trace"},
    {QLTT_MassRange, L"MassRange"},
    {QLTT_ExpRetTime, L"ExpRetTime"},
    {QLTT_RetTimeWindow, L"RetTimeWindow"},
    {QLTT_ViewWidth, L"ViewWidth"},
    {QLTT_RetTimeRef, L"RetTimeRef"},
    {QLTT_StdDilBaseAmt, L"StdDilBaseAmt"},
    {QLTT_CrestSmoothPnts, L"CrestSmoothPnts"},
    {QLTT_ValleyDetEnbld, L"ValleyDetEnbld"},
    {QLTT_CrestMinPeakHt, L"CrestMinPeakHt"},
    {QLTT_RidgeSmoothPnts, L"RidgeSmoothPnts"},
    {QLTT_RidgeMinPkHt, L"RidgeMinPkHt"},
    {QLTT_SummitSmoothPnts, L"SummitSmoothPnts"},
    {QLTT_ResThresh, L"ResThresh"},
    {QLTT_SymPeakHt, L"SymPeakHt"},
    {QLTT_SymThresh, L"SymThresh"},
    {QLTT_WidPeakHt, L"WidPeakHt"},
    {QLTT_MinPeakWid, L"MinPeakWid"},
    {QLTT_MaxPeakWid, L"MaxPeakWid"},
    {QLTT_TailPeakHt, L"TailPeakHt"},
    {QLTT_TailFailThresh, L"TailFailThresh"},
    {QLTT_OverPeakHt, L"OverPeakHt"},
    {QLTT_OverFailThresh, L"OverFailThresh"},
    {QLTT_NDPeakWdths, L"NDPeakWdths"},
    {QLTT_SNRatio, L"SNRatio"},
    {QLTT_rSquared, L"rSquared"},
    {QLTT_DetLimit, L"DetLimit"},
    {QLTT_QuanLimit, L"QuanLimit"},
    {QLTT_LinLimit, L"LinLimit"},
    {QLTT_CarOvrLmt, L"CarOvrLmt"},
    {QLTT_AreaThresh, L"AreaThresh"},
    {QLTT_HeightThresh, L"HeightThresh"},
    {QLTT_CreatedBy, L"CreatedBy"},
    {QLTT_WhenCreated, L"WhenCreated"},
    {QLTT_LastMod, L"LastMod"},
    {QLTT_ModifiedBy, L"ModifiedBy"},
    {QLTT_Summary, L"Summary"},
    {QLTT_VoidTime, L"VoidTime"},
    {QLTT_BLandNoiseWin, L"BLandNoiseWin"},
    {QLTT_BLNoiseTol, L"BLNoiseTol"},
    {QLTT_MinBLScans, L"MinBLScans"},
    {QLTT_ChromBy, L"ChromBy"},
    {QLTT_CaliBy, L"CaliBy"},
    {QLTT_DetectDelay, L"DetectDelay"},
    {QLTT_TraceType1, L"TraceType1"},
    {QLTT_Operator, L"Operator"},
    {QLTT_TraceType2, L"TraceType2"},
    {QLTT_Mass1, L"Mass1"},
    {QLTT_Mass2, L"Mass2"},
    {QLTT_Range, L"Range"},
    {QLTT_SelTopPks, L"SelTopPks"},
    {QLTT_SelectBy, L"SelectBy"},
    {QLTT_NumToSelect, L"NumToSelect"},
    {QLTT_RelPkHtThresh, L"RelPkHtThresh"},
    {QLTT_PCofHighPk, L"PCofHighPk"},
    {QLTT_MinMassesReqd, L"MinMassesReqd"},
    {QLTT_MinPCMassFnd, L"MinPCMassFnd"},
    {QLTT_MinPkHt, L"MinPkHt"},
    {QLTT_WinSize, L"WinSize"},
    {QLTT_FilterWidth, L"FilterWidth"},
    {QLTT_RecompInt, L"RecompInt"},
    {QLTT_SpecEnhUsage, L"SpecEnhUsage"},
    {QLTT_RefineWinSize, L"RefineWinSize"},
    {QLTT_NoiseThresh, L"NoiseThresh"},
    {QLTT_LeftRegWidth, L"LeftRegWidth"},
    {QLTT_RegionEnd, L"RegionEnd"},
    {QLTT_PkTopWidthPts, L"PkTopWidthPts"},
    {QLTT_RightRegWidth, L"RightRegWidth"},
    {QLTT_RegionStart, L"RegionStart"},
    {QLTT_CutoffThresh, L"CutoffThresh"},
    {QLTT_Identity, L"Identity"},
    {QLTT_Similarity, L"Similarity"},
    {QLTT_MaxNumHits, L"MaxNumHits"},
    {QLTT_ReverseSearch, L"ReverseSearch"},
    {QLTT_SearchWithMW, L"SearchWithMW"},
    {QLTT_Availability, L"Availability"},
    {QLTT_UserLib, L"UserLib"},
    {QLTT_Matchfact, L"Matchfact"},
    {QLTT_RevMatchFact, L"RevMatchFact"},
    {QLTT_Probability, L"Probability"},
    {QLTT_SearchLib, L"SearchLib"},
    {QLTT_MolWghtRng, L"MolWghtRng"},
    {QLTT_OtherDB, L"OtherDB"},
    {QLTT_NameFrag, L"NameFrag"},
    {QLTT_ElemConstEnbld, L"ElemConstEnbld"},
    {QLTT_ElemInComp, L"ElemInComp"},
    {QLTT_ElemInf, L"ElemInf"},
    {QLTT_MSPkConstEnabld, L"MSPkConstEnabld"},
    {QLTT_MSPkMeasure, L"MSPkMeasure"},
    {QLTT_ISTDName, L"ISTDName"},
    {QLTT_RT, L"RT"},
    {QLTT_Resp, L"Resp"},
    {QLTT_Area, L"Area"},
    {QLTT_Height, L"Height"},
    {QLTT_Width, L"Width"},
    {QLTT_BL, L"BL"},
    {QLTT_SN, L"SN"},
    {QLTT_Sat, L"Sat"},
    {QLTT_PeakStat, L"PeakStat"},
    {QLTT_SysSuit, L"SysSuit"},
    {QLTT_DataFlags, L"DataFlags"},
    {QLTT_SpeciAmt, L"SpeciAmt"},
    {QLTT_CalcAmt, L"CalcAmt"},
    {QLTT_Diff, L"Diff"},
    {QLTT_RespRatio, L"RespRatio"},
    {QLTT_AreaRatio, L"AreaRatio"},
    {QLTT_HeightRatio, L"HeightRatio"},
    {QLTT_IonRatioStat, L"IonRatioStat"},
    {QLTT_PeakPur, L"PeakPur"},
    {QLTT_SampType, L"SampType"},
    {QLTT_CaliFlags, L"CaliFlags"},
    {QLTT_DataFile, L"DataFile"},
    {QLTT_OrigDataPath, L"OrigDataPath"},
    {QLTT_CurrDataPath, L"CurrDataPath"},
    {QLTT_SampID, L"SampID"},
    {QLTT_SampName, L"SampName"},
    {QLTT_AcqDate, L"AcqDate"},
    {QLTT_RunTime, L"RunTime"},
    {QLTT_Comments, L"Comments"},
    {QLTT_Vial, L"Vial"},
    {QLTT_InjVol, L"InjVol"},
    {QLTT_Scans, L"Scans"},
    {QLTT_LowMass, L"LowMass"},
    {QLTT_HighMass, L"HighMass"},
    {QLTT_SampVol, L"SampVol"},
    {QLTT_SampWt, L"SampWt"},
    {QLTT_ISTDAmt, L"ISTDAmt"},
    {QLTT_CalLevel, L"CalLevel"},
    {QLTT_DilFactor, L"DilFactor"},
    {QLTT_InstMthd, L"InstMthd"},
    {QLTT_ProcMthd, L"ProcMthd"},
    {QLTT_CurrentProcMthd, L"CurrentProcMthd"},
    {QLTT_CaliFile, L"CaliFile"},
    {QLTT_Rev, L"Rev"},
    {QLTT_Barcode, L"Barcode"},
    {QLTT_BarcodeStatus, L"BarcodeStatus"},
    {QLTT_UserVal1, L"UserVal1"},
    {QLTT_UserVal2, L"UserVal2"},
    {QLTT_UserVal3, L"UserVal3"},
    {QLTT_UserVal4, L"UserVal4"},
    {QLTT_UserVal5, L"UserVal5"},
    {QLTT_UserLabel1, L"UserLabel1"},
    {QLTT_UserLabel2, L"UserLabel2"},
    {QLTT_UserLabel3, L"UserLabel3"},
    {QLTT_UserLabel4, L"UserLabel4"},
    {QLTT_UserLabel5, L"UserLabel5"},
    {QLTT_InstName, L"InstName"},
    {QLTT_InstModel, L"InstModel"},
    {QLTT_InstSerialNumber, L"InstSerialNumber"},
    {QLTT_InstHardRevision, L"InstHardRevision"},
    {QLTT_InstrumentMethod, L"InstrumentMethod"},
};

CQLNDefaultText::CQLNDefaultText() = default;

CQLNDefaultText::CQLNDefaultText(const UINT* pnStringIDs, int nCount)
{
    try {
        for (int i = 0; pnStringIDs != nullptr && i < nCount; ++i)
            AddItem(pnStringIDs[i]);
    } catch (const CException&) {
        // A half-built catalogue must not offer items: emptying the item texts makes every
        // lookup miss, whatever the other lists kept.
        m_arrItemText.RemoveAll();
        m_arrDescription.RemoveAll();
    } catch (const std::bad_alloc&) {
        m_arrItemText.RemoveAll();
        m_arrDescription.RemoveAll();
    }
}

CQLNDefaultText::~CQLNDefaultText() = default;

void CQLNDefaultText::AddItem(UINT nStringID)
{
    CString strResource;
    strResource.LoadString(nStringID);
    const bool bTimeItem = IsTimeItem(strResource);

    const int i = m_arrItemText.Add(strResource);
    m_arrDescription.Add(CString());
    m_arrDefaultDecimal.Add(DecimalText(m_skiInvalidDecimal));
    m_arrDecimalMin.Add(DecimalText(m_skiDecimalMin));
    m_arrDecimalMax.Add(DecimalText(m_skiDecimalMax));

    int nLineFeed = strResource.Find(L'\n');
    if (nLineFeed < 0)
        return;
    m_arrItemText[i] = strResource.Left(nLineFeed);
    CString strRest = strResource.Mid(nLineFeed + 1);

    nLineFeed = strRest.Find(L'\n');
    if (nLineFeed < 0) {
        m_arrDescription[i] = strRest;
        return;
    }
    m_arrDescription[i] = strRest.Left(nLineFeed);
    strRest = strRest.Mid(nLineFeed + 1);

    nLineFeed = strRest.Find(L'\n');
    if (nLineFeed < 0)
        return;
    const CString strMin = strRest.Left(nLineFeed);
    strRest = strRest.Mid(nLineFeed + 1);

    // The range counts only together with a default decimal setting.
    nLineFeed = strRest.Find(L'\n');
    if (nLineFeed < 0)
        return;
    const CString strMax = strRest.Left(nLineFeed);
    strRest = strRest.Mid(nLineFeed + 1);
    m_arrDecimalMin[i] = strMin;
    m_arrDecimalMax[i] = strMax;

    const int nPrecision = static_cast<int>(g_lRTPrecision);
    if (bTimeItem && ReadDecimal(strMin) <= nPrecision && nPrecision <= ReadDecimal(strMax))
        m_arrDefaultDecimal[i] = DecimalText(nPrecision);
    else
        m_arrDefaultDecimal[i] = strRest;
}

int CQLNDefaultText::FindItem(const CString& strText) const
{
    for (int i = 0; i < m_arrItemText.GetSize(); ++i)
        if (m_arrItemText[i] == strText)
            return i;
    return -1;
}

int CQLNDefaultText::ReadDecimal(const CString& strDecimal)
{
    const wchar_t* p = strDecimal.GetString();
    const wchar_t* const pEnd = p + strDecimal.GetLength();
    while (p < pEnd && (*p == L' ' || (*p >= L'\t' && *p <= L'\r')))
        ++p;
    bool bNegative = false;
    if (p < pEnd && (*p == L'+' || *p == L'-'))
        bNegative = *p++ == L'-';
    long long llValue = 0;
    for (; p < pEnd && *p >= L'0' && *p <= L'9'; ++p) {
        llValue = llValue * 10 + (*p - L'0');
        if (llValue > 2147483648LL)
            llValue = 2147483648LL;     // saturated; more digits cannot bring it back
    }
    if (bNegative)
        llValue = -llValue;
    if (llValue > m_skiDecimalMax)
        return m_skiDecimalMax;
    return static_cast<int>(llValue);
}

BOOL CQLNDefaultText::IsDefaultItem(const CString& strText) const
{
    return FindItem(strText) >= 0 ? TRUE : FALSE;
}

CString CQLNDefaultText::GetDefaultDecimal(const CString& strText) const
{
    const int i = FindItem(strText);
    return i >= 0 ? m_arrDefaultDecimal.GetAt(i) : CString();
}

BOOL CQLNDefaultText::GetDefaultDecimalMinMax(const CString& strText, int& nMin, int& nMax) const
{
    const int i = FindItem(strText);
    if (i < 0) {
        nMin = m_skiDecimalMin;
        nMax = m_skiDecimalMax;
        return FALSE;
    }
    nMin = ReadDecimal(m_arrDecimalMin.GetAt(i));
    nMax = ReadDecimal(m_arrDecimalMax.GetAt(i));
    return TRUE;
}

CString CQLNDefaultText::FindMatchingDescription(const CString& strText, eItemType eType) const
{
    CString strResult;
    switch (eType) {
    case eUserText:
        QLNLoadLibraryString(strResult, IDS_QLN_USER_TEXT_DESCRIPTION);
        return strResult;
    case eDataItem: {
        int nPrompts = 0;
        int nValues = 0;
        CQLNStringTokenizer::GetNumberOfPromptAndValue(strText, nPrompts, nValues);
        if (nValues == 0)
            QLNLoadLibraryString(strResult, IDS_QLN_HEADING_DESCRIPTION);
        const int i = FindItem(strText);
        if (i >= 0)
            strResult += m_arrDescription.GetAt(i);
        return strResult;
    }
    default:
        QLNLoadLibraryString(strResult, IDS_QLN_BLANK_LINE_DESCRIPTION);
        return strResult;
    }
}

QLTxtTokenID CQLNDefaultText::GetTDByTokenText(LPCTSTR lpszKey)
{
    if (lpszKey == nullptr)
        return QLTT_None;
    for (const structTxtToken& token : m_structTxtToken)
        if (std::wcscmp(token.m_pszKey, lpszKey) == 0)
            return token.m_eID;
    return QLTT_None;
}

void CQLNDefaultText::BreakupTextLine(const CString& strLine, CString& strDefaultText, CString& strDecimal,
                                      CString& strCustomizedLine)
{
    // Built aside first: the caller may pass the line itself as one of the out strings.
    CString strDefault;
    CString strRest = strLine;
    int nDelimiter = strRest.Find(m_sktcDelimiter);
    if (nDelimiter >= 0) {
        strDefault = strRest.Left(nDelimiter);
        strRest = strRest.Mid(nDelimiter + 1);
    }
    CString strDec;
    nDelimiter = strRest.Find(m_sktcDelimiter);
    if (nDelimiter >= 0) {
        strDec = strRest.Left(nDelimiter);
        strRest = strRest.Mid(nDelimiter + 1);
    }
    strDefaultText = strDefault;
    strDecimal = strDec;
    strCustomizedLine = strRest;
}

void CQLNDefaultText::FormTextLine(const CString& strDefaultText, const CString& strDecimal,
                                   const CString& strCustomizedLine, CString& strLine)
{
    strLine = strDefaultText + m_sktcDelimiter + strDecimal + m_sktcDelimiter + strCustomizedLine;
}

CString CQLNDefaultText::GetCustomizedLine(const CString& strLine)
{
    const int nDelimiter = strLine.ReverseFind(m_sktcDelimiter);
    return nDelimiter >= 0 ? strLine.Mid(nDelimiter + 1) : strLine;
}
