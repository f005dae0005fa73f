#pragma once

// Resource identifiers shared by the resource script and the code.
#define IDI_MAIN_ICON 128
#define IDR_SKIN_ARCHIVE 147
#define IDR_LANG_DICTIONARY 148
#define IDR_APP_CONFIG 150
