// Which registry the process uses: the platform's own unless a test has put another in place.
#include "registry/Registry.h"

namespace {

TRegistry* CurrentOverride = nullptr;

}  // namespace

TRegistry& CurrentRegistry() { return CurrentOverride ? *CurrentOverride : SystemRegistry(); }

TUseRegistry::TUseRegistry(TRegistry& registry) : FPrevious(CurrentOverride) { CurrentOverride = &registry; }

TUseRegistry::~TUseRegistry() { CurrentOverride = FPrevious; }
