// The configuration mode: the tabbed settings dialog.
#pragma once

void RunConfigDialog();
