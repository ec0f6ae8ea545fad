// Password services.
#include "host/Password.h"

void ChangePassword() {}
