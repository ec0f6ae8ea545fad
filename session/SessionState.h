// The one saver window of the process, for the steps that work through it.
#pragma once

class TSchoner;
// Set before the window's construction begins.
extern TSchoner* Schoner;
