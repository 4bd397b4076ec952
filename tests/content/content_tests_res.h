// Catalogue strings of the test program, as a report object would keep them.
#pragma once
#define IDS_CAT_TEXT_ONLY        3000
#define IDS_CAT_TWO_FIELDS       3001
#define IDS_CAT_THREE_FIELDS     3002
#define IDS_CAT_FOUR_FIELDS      3003
#define IDS_CAT_FIVE_FIELDS      3004
#define IDS_CAT_FIFTH_HAS_LF     3005
#define IDS_CAT_HEADING          3006
#define IDS_CAT_DUPLICATE        3007
#define IDS_CAT_MISSING_IN_BLOCK 3008
#define IDS_CAT_TIME_WIDE        3016
#define IDS_CAT_TIME_NARROW      3017
#define IDS_CAT_TIME_FIRST       3018
#define IDS_CAT_TIME_SECOND      3019
#define IDS_CAT_TIME_IN_TEXT     3020
#define IDS_CAT_TIME_AT_BOUNDS   3021
#define IDS_CAT_TIME_PADDED      3022
#define IDS_CAT_TIME_NEGATIVE    3023
#define IDS_CAT_TIME_NO_RANGE    3024
#define IDS_CAT_NOT_TIME         3025
#define IDS_CAT_TIME_LOOKALIKE   3026
// No block of the string table holds this one.
#define IDS_CAT_MISSING_BLOCK    3500
