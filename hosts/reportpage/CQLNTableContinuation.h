// The tables of a resolved page drawn in parts, asked through their automation (RowsThatFit,
// FirstRow, RowCount) and never by class: any table that offers those continues over sheets
// (CQLNPageFlow). A part is recorded as the printer prints it, at the part's own size. When it
// goes, every table is given all its rows back.
#pragma once
#include "CQLNPageFlow.h"
#include "CQLNTextObjClient.h"

#include <memory>
#include <string>
#include <vector>

class CQLNObjectPicture;
class CQLNReportPage;

class CQLNTableContinuation : public CQLNPageFlow::Tables
{
public:
    explicit CQLNTableContinuation(const CQLNReportPage& page);
    ~CQLNTableContinuation();
    CQLNTableContinuation(const CQLNTableContinuation&) = delete;
    CQLNTableContinuation& operator=(const CQLNTableContinuation&) = delete;

    long RowCount(size_t nObject) override;
    long RowsThatFit(size_t nObject, long nFirstRow, long nHeight) override;
    // Plays the part into rc (logical units of hdc): the object as it prints, or a table's rows
    // of the part under its headings.
    bool Show(const CQLNPageFlow::Part& part, HDC hdc, const RECT& rc, std::wstring& error);
    // The recording of a table's part, at the part's size; null, and no error, for an object
    // shown whole.
    std::unique_ptr<CQLNObjectPicture> Record(const CQLNPageFlow::Part& part, std::wstring& error);

private:
    bool SetRows(size_t nObject, long nFirstRow, long nRowCount, std::wstring& error);
    // The zoom of the device the recordings are measured on: a table counts its rows in the
    // fonts it will be drawn in. Found out once, when first needed.
    double Zoom();

    const CQLNReportPage& m_page;
    // Null for an object that is no table to continue.
    std::vector<std::unique_ptr<CQLNTextObjClient>> m_tables;
    // 0 until a table is asked how many rows fit.
    double m_dZoom = 0.0;
};
