// Resource identifiers of the sample text object.
#pragma once

#define IDS_SAMPLE_TITLE 100
// Catalogue items: IDS_SAMPLE_ITEM_FIRST and the identifiers after it.
#define IDS_SAMPLE_ITEM_FIRST 200
#define SAMPLE_ITEM_COUNT 32
