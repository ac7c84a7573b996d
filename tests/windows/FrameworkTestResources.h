#pragma once

// The framework tests' own dialog.
#define IDD_FRAMEWORK_TEST 9900
#define IDC_FRAMEWORK_TEST_EDIT 9901
