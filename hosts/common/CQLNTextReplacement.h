// Texts drawn in place of others while a recorded drawing is played: the values of a resolved
// report where an object drew the value items ("{Key}") that name them. The object is never
// told: it keeps its template, and one recording serves with data and without.
#pragma once
#include <windows.h>

#include <map>
#include <string>

class CQLNTextReplacement
{
public:
    // The first replacement given for a text is kept: an item in two lines takes the decimals
    // of the first.
    void Add(const std::wstring& text, const std::wstring& replacement) { m_texts.emplace(text, replacement); }
    bool IsEmpty() const { return m_texts.empty(); }

    // Plays the recording into rc (logical units of hdc), each text output whose whole text has
    // a replacement drawn as that. False when the device refused a record.
    bool Play(HDC hdc, HENHMETAFILE hEmf, const RECT& rc) const;

private:
    static int CALLBACK PlayRecord(HDC hDC, HANDLETABLE* pHandles, const ENHMETARECORD* pRecord, int nHandles,
                                   LPARAM lParam);

    std::map<std::wstring, std::wstring> m_texts;
};
