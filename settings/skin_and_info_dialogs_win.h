#pragma once
// The skin chooser, the hot keys dialog, and the About and information dialogs, for whoever
// makes the program's windows.
#include "settings/about_dialog_win.h"
#include "settings/hot_keys_dialog_win.h"
#include "settings/information_dialog_win.h"
#include "settings/skin_chooser_win.h"
