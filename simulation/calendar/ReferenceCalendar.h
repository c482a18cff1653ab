// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/calendar/ReferenceYear.h"

namespace lumetra::simulation {

// The month (0..11) of a day 0..364.
int monthOfDay(int day);

// 0 = Monday .. 6 = Sunday.
int weekdayOfDay(int day);

// Germany's nationwide public holidays of the reference year: New Year, Good Friday, Easter
// Monday, Labour Day, Ascension, Whit Monday, German Unity Day, Christmas Day, Boxing Day.
bool isPublicHoliday(int day);

// The day type of the standard load profile: Sundays and public holidays count as Sundays;
// 24 and 31 December count as Saturdays when they fall on a working day, as the profile's
// publisher prescribes.
DayType dayTypeOfDay(int day);

}  // namespace lumetra::simulation
