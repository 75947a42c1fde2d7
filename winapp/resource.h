// Identifiers shared by the resource script and the window's code.
#pragma once

#define IDM_EXIT 40001  // File > Exit (Exit1)
#define IDM_ABOUT 40002 // Help > Info (About1)
