// A text control of the test program's own: its catalogue and title come from the test
// program's string table (a heading "Heading:", a prompt with a token, an amount with decimals),
// and it opens the members a test needs to reach.
#pragma once
#include "QLNTextBaseCtrl.h"

class TestTextCtrl : public CQLNTextBaseCtrl
{
public:
    TestTextCtrl();

    UINT GetTitleID() override;
    long GetReportObjectKind() override;
    CQLNDefaultText* GetDefaultText() override;

    // Starts the control as a host does: InitNew through IPersistStreamInit.
    HRESULT InitNew();

private:
    CQLNDefaultText m_catalogue;
};
