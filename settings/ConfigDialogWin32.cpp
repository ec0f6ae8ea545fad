// The configuration dialog.
#include "settings/ConfigDialog.h"

void RunConfigDialog() {}
