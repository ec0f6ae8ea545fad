// Process-wide state of the host guards.
#pragma once

// True when page transitions were off before this session switched them on; the session's end
// switches them off again only then.
extern bool TransitionsWereOff;
