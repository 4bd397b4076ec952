// The help context of the chromatogram's own page, a topic of the report objects' help file.
#pragma once

enum QLNSampleChromatogramHelpContext : unsigned long
{
    QLN_HELP_CHROMATOGRAM_PAGE = 3003,
};
