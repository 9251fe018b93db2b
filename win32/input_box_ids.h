#pragma once

// The input box's layout, in input_box.rc, and its parts, as the resource compiler and the
// program both name them.
#define IDD_INPUT_BOX 100
#define IDC_INPUT_PROMPT 101
#define IDC_INPUT_ANSWER 102
