// The preview and full-screen modes: one slideshow session in the saver window.
#pragma once

void StartSaver();
