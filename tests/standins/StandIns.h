/* Test stand-ins for the system's two password libraries, which Wine does not have (or has
   without anything a test could watch). The tests install them into the prefix's system
   directory, steer them and read what they were called with through values under
   HKEY_CURRENT_USER\StandInKeyPath. Shared by the stand-ins (C) and the test programs (C++). */
#pragma once

#define StandInKeyPath "Software\\LumivaleStandIns"

/* The built files, in the folder the tests find in LUMI_STANDINS, and their installed names. */
#define StandInPasswordFile "standin-password.cpl"
#define StandInMprFile "standin-mpr.dll"
#define InstalledPasswordName "PASSWORD.CPL"
#define InstalledMprName "MPR.DLL"

/* PASSWORD.CPL, VerifyScreenSavePwd(window). Read: VerifyAnswer (REG_DWORD, what it returns;
   0 when missing), VerifyCursorX/VerifyCursorY (REG_DWORD, where it moves the cursor before it
   answers; only when both exist). Written: VerifyCalls (REG_DWORD, calls so far), VerifyWindow
   (REG_QWORD, the window it was handed), VerifyCursorCount (REG_DWORD, the cursor display count
   during the call, as a signed value). */
#define VerifyAnswerValue "VerifyAnswer"
#define VerifyCursorXValue "VerifyCursorX"
#define VerifyCursorYValue "VerifyCursorY"
#define VerifyCallsValue "VerifyCalls"
#define VerifyWindowValue "VerifyWindow"
#define VerifyCursorCountValue "VerifyCursorCount"

/* MPR.DLL, PwdChangePasswordA(regKeyName, window, reserved1, reserved2); returns 0. Written:
   ChangeCalls (REG_DWORD), ChangeKeyName (REG_SZ), ChangeWindow (REG_QWORD), ChangeReserved1 and
   ChangeReserved2 (REG_DWORD). */
#define ChangeCallsValue "ChangeCalls"
#define ChangeKeyNameValue "ChangeKeyName"
#define ChangeWindowValue "ChangeWindow"
#define ChangeReserved1Value "ChangeReserved1"
#define ChangeReserved2Value "ChangeReserved2"
