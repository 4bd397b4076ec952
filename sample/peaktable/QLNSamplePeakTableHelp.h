// The help context of the peak table's own page, a topic of the report objects' help file.
#pragma once

enum QLNSamplePeakTableHelpContext : unsigned long
{
    QLN_HELP_PEAK_TABLE_COLUMNS_PAGE = 3002,
};
