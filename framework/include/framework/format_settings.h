// The locale's time settings of framework/datetime.h (TimeSeparator,
// TimeAMString, TimePMString), read from the platform's locale. The
// application reads them at start and again on WM_WININICHANGE.
#pragma once

void GetFormatSettings();
