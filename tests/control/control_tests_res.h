// Strings of the test program's own text control: its title and its catalogue.
#pragma once
#define IDS_TEST_TITLE       4000
#define IDS_TEST_HEADING     4001
#define IDS_TEST_SAMPLE_NAME 4002
#define IDS_TEST_AMOUNT      4003
