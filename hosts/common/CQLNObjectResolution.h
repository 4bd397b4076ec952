// What resolving a report gives one object, asked of what the object offers rather than
// assumed: a table (it hands out columns) is given the data's rows to draw; an object with text
// fields keeps them as they are and gets the values its value items stand for, drawn in their
// place when its recording is played; any other object has nothing to resolve. An object that
// draws a signal is given the data's signal and peaks besides (CQLNSignalResolution). None of
// this changes what the object saves.
#pragma once
#include "CQLNTextReplacement.h"

#include <string>
#include <vector>

class CQLNReportResolver;
class CQLNTextObjClient;

class CQLNObjectResolution
{
public:
    enum class Kind { None, Text, Table };

    bool Resolve(CQLNTextObjClient& object, const CQLNReportResolver& resolver, std::wstring& error);
    // Takes back the rows a table was given, and the signal an object was given, so that it
    // draws as its template again.
    bool Withdraw(CQLNTextObjClient& object, std::wstring& error);

    Kind GetKind() const { return m_kind; }
    // What resolving shows of the object: a text object's lines with the values in them; a
    // table's columns as shown, then its rows, a row a line, cells between tabs.
    const std::vector<std::wstring>& Lines() const { return m_lines; }
    const CQLNTextReplacement& Replacement() const { return m_replacement; }

private:
    bool ResolveText(CQLNTextObjClient& object, const CQLNReportResolver& resolver, std::wstring& error);

    Kind m_kind = Kind::None;
    bool m_bSignalGiven = false;
    std::vector<std::wstring> m_lines;
    CQLNTextReplacement m_replacement;
};
