/* Stand-in DWMAPI.DLL: a desktop that composes, as every Windows 8 to 11 desktop does, which
   Wine's own library does not. The compositor refreshes on a grid of the performance counter,
   LUMI_DWM_HZ times a second (60 when unset; 0: it does not compose); DwmFlush returns at the
   grid's next refresh and DwmGetCompositionTimingInfo names the grid's refreshes. From the
   performance counter's value LUMI_DWM_OFF_AT (when set) on, composition is off. Both are read on
   every call, so an in-process test can change them as it goes. */
#include <windows.h>

#include <stdlib.h>

#define DWM_E_COMPOSITIONDISABLED ((HRESULT)0x80263001L)

typedef struct {
  UINT32 uiNumerator;
  UINT32 uiDenominator;
} TRatio;

/* DWM_TIMING_INFO as dwmapi.h lays it out (packed to 1). */
#pragma pack(push, 1)
typedef struct {
  UINT32 cbSize;
  TRatio rateRefresh;
  ULONGLONG qpcRefreshPeriod;
  TRatio rateCompose;
  ULONGLONG qpcVBlank;
  ULONGLONG cRefresh;
  UINT cDXRefresh;
  ULONGLONG qpcCompose;
  ULONGLONG cFrame;
  BYTE Counters[228]; /* the counts from cDXPresent on, which no caller reads */
} TTimingInfo;
#pragma pack(pop)
_Static_assert(sizeof(TTimingInfo) == 292, "DWM_TIMING_INFO holds 292 bytes");

static ULONGLONG EnvironmentNumber(const char* name, ULONGLONG fallback) {
  char text[32];
  const DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
  if (length == 0 || length >= sizeof text) return fallback;
  return _strtoui64(text, NULL, 10);
}

static LONGLONG Now(void) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

/* The refresh rate now, 0 while the desktop does not compose. */
static ULONGLONG Rate(void) {
  const ULONGLONG offAt = EnvironmentNumber("LUMI_DWM_OFF_AT", 0);
  if (offAt != 0 && (ULONGLONG)Now() >= offAt) return 0;
  return EnvironmentNumber("LUMI_DWM_HZ", 60);
}

/* The number of the last refresh at or before now, and the moment of refresh n. */
static ULONGLONG RefreshNumber(LONGLONG now, ULONGLONG rate, LONGLONG frequency) {
  return (ULONGLONG)((double)now * (double)rate / (double)frequency);
}

static LONGLONG RefreshMoment(ULONGLONG n, ULONGLONG rate, LONGLONG frequency) {
  return (LONGLONG)((double)n * (double)frequency / (double)rate + 0.999);
}

static LONGLONG Frequency(void) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

__declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return E_INVALIDARG;
  *enabled = Rate() != 0;
  return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DwmFlush(void) {
  const ULONGLONG rate = Rate();
  if (rate == 0) return DWM_E_COMPOSITIONDISABLED;
  const LONGLONG frequency = Frequency();
  const LONGLONG due = RefreshMoment(RefreshNumber(Now(), rate, frequency) + 1, rate, frequency);
  for (;;) {
    const LONGLONG left = due - Now();
    if (left <= 0) return S_OK;
    const LONGLONG ms = left * 1000 / frequency;
    Sleep(ms > 1 ? (DWORD)(ms - 1) : 0);
  }
}

__declspec(dllexport) HRESULT WINAPI DwmGetCompositionTimingInfo(HWND window, TTimingInfo* info) {
  (void)window;
  if (!info) return E_INVALIDARG;
  if (info->cbSize != sizeof *info) return E_INVALIDARG;
  const ULONGLONG rate = Rate();
  if (rate == 0) return DWM_E_COMPOSITIONDISABLED;
  const LONGLONG frequency = Frequency();
  const ULONGLONG n = RefreshNumber(Now(), rate, frequency);
  ZeroMemory(info, sizeof *info);
  info->cbSize = sizeof *info;
  info->rateRefresh.uiNumerator = (UINT32)rate;
  info->rateRefresh.uiDenominator = 1;
  info->rateCompose = info->rateRefresh;
  info->qpcRefreshPeriod = (ULONGLONG)(frequency / (LONGLONG)rate);
  info->qpcVBlank = (ULONGLONG)RefreshMoment(n, rate, frequency);
  info->cRefresh = n;
  info->qpcCompose = info->qpcVBlank;
  info->cFrame = n;
  return S_OK;
}
