#pragma once
// The host program's own strings, at the identifiers the report objects use: the title (100),
// the catalogue (from 200) and the base library's overflow marker (2518).
#define IDS_HOST_TITLE 100
#define IDS_HOST_MORE 2518
