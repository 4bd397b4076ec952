// The sample report object: a text object whose catalogue describes a sample, its instrument
// and one compound.
#pragma once
#include "QLNBase.h"

// {6F1E3A52-9C41-4D8B-A7E2-5B3C9D0F1A24}
extern const CLSID CLSID_QLNSampleTextCtrl;

class CQLNSampleTextCtrl : public CQLNTextBaseCtrl
{
public:
    CQLNSampleTextCtrl();
    ~CQLNSampleTextCtrl() override;

    UINT GetTitleID() override;
    long GetReportObjectKind() override;
    CQLNDefaultText* GetDefaultText() override;

private:
    CQLNDefaultText* m_pDefaultText;
};
