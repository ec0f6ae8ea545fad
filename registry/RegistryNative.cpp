// The native build has no system registry: its process-wide registry lives in memory.
#include "registry/MemoryRegistry.h"

TRegistry& SystemRegistry() {
  static TMemoryRegistry registry;
  return registry;
}
