// The saver session.
#include "session/Saver.h"

void StartSaver() {}
