// Identifiers of the window's menu commands (the resource script includes this file too).
#pragma once

#define IDM_EXIT 40001          // File > Exit (Exit1)
#define IDM_ABOUT 40002         // Help > Info (About1)
#define IDM_SAVEPICTURE 40003   // File > Save Picture
#define IDM_EXPORTRESULTS 40004 // File > Export Results
#define IDM_EXPORTREPORT 40005  // File > Export Report
#define IDM_COPY 40006          // Edit > Copy
#define IDM_CHECKS 40007        // the design checks window
#define IDM_OPENINPUTS 40008    // File > Open Inputs
#define IDM_SAVEINPUTS 40009    // File > Save Inputs
