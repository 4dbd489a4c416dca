// DemoResource.h: numbers of the class-library demo's resources and controls.
// Preprocessor-friendly: the demo's resource script includes it too.
#pragma once

#define IDD_AFXDEMO 200
#define IDI_AFXDEMO 201

// Controls of the demo dialog.
#define IDC_DEMO_TITLE 1100
#define IDC_DEMO_ICON 1101
#define IDC_DEMO_COUNTER 1102
#define IDC_DEMO_PAUSE 1103
#define IDC_DEMO_RESET 1104
#define IDC_DEMO_STEP 1105
#define IDC_DEMO_HINT 1106

// Commands of the digit-colour popup menu, one a colour, in menu order.
#define ID_DEMO_COLOR_FIRST 2100
#define ID_DEMO_COLOR_LAST 2103
