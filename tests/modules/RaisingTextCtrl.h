// A report object in a library of its own whose dispatch members have the framework raise each of
// its exceptions, so that a test can see where they are caught: in this library, in the base
// library while it draws the object, or by the framework's dispatch on the way back to a client
// (a script). Each module of the process has its own code in the path of every one of them.
#pragma once
#include "QLNBase.h"

// {8E2D5B17-4C06-4A9F-B3E1-0D7C62F9A458}
extern const CLSID CLSID_RaisingTextCtrl;

class CRaisingTextCtrl : public CQLNTextBaseCtrl
{
public:
    UINT GetTitleID() override { return 0; }
    long GetReportObjectKind() override { return QLN_CATEGORY_TEXT_OBJECTS; }
    CQLNDefaultText* GetDefaultText() override { return &m_defaultText; }

    // The framework throws the exception of nKind (RaisedKinds.h); nothing here catches it.
    void Raise(short nKind);
    // The framework throws it and this library catches it by its own type: "<type caught>
    // <what it carries>", or "none" for a kind that does not exist.
    BSTR CatchHere(short nKind);
    // Draws the object through the base library into a device that raises nKind as the drawing
    // measures its first text: TRUE when the drawing came back, the base library having caught it.
    BOOL DrawRefused(short nKind);

    DECLARE_DISPATCH_MAP()

private:
    CQLNDefaultText m_defaultText;
};
