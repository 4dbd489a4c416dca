// Metrics.cpp: system metrics of the 640 x 480 display at 96 dpi.
#include "platform/win32/windows.h"

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return 640;
        case SM_CYSCREEN:
            return 480;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
            return 16;
        case SM_CYCAPTION:
            return 19;  // 18-pixel bar and a 1-pixel line under it
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CYMENU:
            return 19;
        case SM_CXSIZE:
        case SM_CYSIZE:
            return 18;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return 4;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CYSMCAPTION:
            return 16;
        default:
            return 0;
    }
}
