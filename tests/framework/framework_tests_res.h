#pragma once
#define IDS_TEST_HELLO 100
#define IDS_TEST_UNICODE 101
