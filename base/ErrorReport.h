// How errors reach the user: the application's default error report (a handler failed, the
// program goes on) and the last-chance report of a failed start-up (the process then ends with 1).
#pragma once

#include <cstdint>
#include <exception>
#include <string>

// The application's title: the executable's file name up to its first full stop, the letters
// after the first in lower case ("LUMIVA~1.SCR" gives "Lumiva~1").
std::string ApplicationTitle(const std::string& exeFileName);

// "Exception <class> in Modul <module> bei <address>." CRLF "<message>." CRLF
std::string FatalReportText(const std::string& className, const std::string& moduleFileName,
                            uintptr_t address, const std::string& message);

// Win32: releases mouse capture and shows the error's text (with its final stop) in a box with
// the error icon, an OK button and the application's title. Never throws.
void ShowException(const std::exception& error) noexcept;

// Win32: the task-modal stop-icon box "Anwendungsfehler" with FatalReportText. Never throws.
void ShowFatalException(const std::exception& error) noexcept;
