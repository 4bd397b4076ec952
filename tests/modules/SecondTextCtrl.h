// A second report object in a library of its own, built the way a report-object developer
// builds one: its title and catalogue use the same string identifiers as the sample's, with
// texts of its own, so that a process holding both shows whose strings each object finds.
#pragma once
#include "QLNBase.h"

#include <memory>

// {3C8A1F64-2B7D-4E59-9A0C-71D4E6B2F835}
extern const CLSID CLSID_SecondTextCtrl;

class CSecondTextCtrl : public CQLNTextBaseCtrl
{
public:
    UINT GetTitleID() override;
    long GetReportObjectKind() override { return QLN_CATEGORY_TEXT_OBJECTS; }
    CQLNDefaultText* GetDefaultText() override;

private:
    std::unique_ptr<CQLNDefaultText> m_pDefaultText;
};
