// Strings of the test program's own text control: its title and its catalogue.
#pragma once
#define IDS_TEST_TITLE       4000
#define IDS_TEST_HEADING     4001
#define IDS_TEST_SAMPLE_NAME 4002
#define IDS_TEST_AMOUNT      4003
// Property sets of the sample text object saved once, by an earlier build.
#define IDR_SAVED_STREAM     4100
#define IDR_SAVED_BAG        4101
