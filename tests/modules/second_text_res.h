#pragma once
// The sample's identifiers, on purpose.
#define IDS_SECOND_TITLE 100
#define IDS_SECOND_ITEM_FIRST 200
#define SECOND_ITEM_COUNT 6
