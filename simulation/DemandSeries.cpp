// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/DemandSeries.h"

#include <algorithm>
#include <cmath>

#include "energy/MonthlyShares.h"
#include "simulation/calendar/ReferenceCalendar.h"

namespace lumetra::simulation {

namespace {

using Series = std::vector<double>;

double positive(double value) {
    return std::isfinite(value) && value > 0 ? value : 0.0;
}

// BDEW's dynamisation factor of day d (1 .. 365).
double dynamisation(int d) {
    const double x = d;
    return (((-3.92e-10 * x + 3.2e-7) * x - 7.02e-5) * x + 0.0021) * x + 1.24;
}

// Adds `annual` spread over the steps in proportion to `weights`.
void addScaled(Series& total, const Series& weights, double weightSum, double annual,
               Series* part) {
    if (annual <= 0 || weightSum <= 0) {
        return;
    }
    const double factor = annual / weightSum;
    for (std::size_t i = 0; i < total.size(); ++i) {
        const double value = weights[i] * factor;
        total[i] += value;
        if (part != nullptr) {
            (*part)[i] = value;
        }
    }
}

// The household's own course (a simulated home, a measured year), scaled to the annual figure.
void addHouseholdCourse(std::span<const double> course, double annual, Series& total,
                        Series& scratch, Series* part) {
    double sum = 0;
    for (std::size_t i = 0; i < scratch.size(); ++i) {
        scratch[i] = i < course.size() ? positive(course[i]) : 0.0;
        sum += scratch[i];
    }
    addScaled(total, scratch, sum, annual, part);
}

void addHousehold(const LoadProfile& profile, bool south, double annual, Series& total,
                  Series& scratch, Series* part) {
    double sum = 0;
    for (int d = 0; d < kDaysPerYear; ++d) {
        const int month = (monthOfDay(d) + (south ? 6 : 0)) % 12;
        const int seasonDay = south ? (d + 182) % kDaysPerYear : d;
        const double factor = dynamisation(seasonDay + 1);
        const auto& day =
            profile
                .values[static_cast<std::size_t>(month)][static_cast<std::size_t>(dayTypeOfDay(d))];
        for (int k = 0; k < kStepsPerDay; ++k) {
            const double value = day[static_cast<std::size_t>(k)] * factor;
            scratch[static_cast<std::size_t>(d * kStepsPerDay + k)] = value;
            sum += value;
        }
    }
    addScaled(total, scratch, sum, annual, part);
}

// The monthly energy of a demand spread over each month by per-step weights.
template <typename Weight>
void addMonthly(const std::array<double, 12>& monthly, Weight weight, Series& total, Series* part) {
    for (std::size_t m = 0; m < 12; ++m) {
        if (monthly[m] <= 0) {
            continue;
        }
        const int first = kMonthStartDay[m] * kStepsPerDay;
        const int last = kMonthStartDay[m + 1] * kStepsPerDay;
        double sum = 0;
        for (int s = first; s < last; ++s) {
            sum += weight(s);
        }
        if (sum <= 0) {
            continue;
        }
        const double factor = monthly[m] / sum;
        for (int s = first; s < last; ++s) {
            const double value = weight(s) * factor;
            total[static_cast<std::size_t>(s)] += value;
            if (part != nullptr) {
                (*part)[static_cast<std::size_t>(s)] = value;
            }
        }
    }
}

std::array<double, 12> evenMonths(double annual) {
    std::array<double, 12> months{};
    months.fill(annual / 12);
    return months;
}

// The monthly model's shares, moved by six months south of the equator and normalised so
// that the year is exact.
std::array<double, 12> sharedMonths(const std::array<double, 12>& shares, double latitude,
                                    double annual) {
    double sum = 0;
    for (double share : shares) {
        sum += share;
    }
    std::array<double, 12> months{};
    const int shift = seasonShift(latitude);
    for (std::size_t j = 0; j < 12; ++j) {
        months[(j + static_cast<std::size_t>(shift)) % 12] = sum > 0 ? annual * shares[j] / sum : 0;
    }
    return months;
}

}  // namespace

void buildDemand(const LoadProfile& profile, const WeatherYear& weather, const DemandInput& input,
                 std::span<const double> household, std::vector<double>& total,
                 std::array<std::vector<double>, kDemandKinds>* parts) {
    total.assign(kStepCount, 0.0);
    if (parts != nullptr) {
        for (Series& part : *parts) {
            part.assign(kStepCount, 0.0);
        }
    }
    auto partOf = [&](int index) -> Series* {
        return parts != nullptr ? &(*parts)[static_cast<std::size_t>(index)] : nullptr;
    };
    const bool south = weather.latitude_deg < 0;
    Series scratch(kStepCount, 0.0);

    if (household.empty()) {
        addHousehold(profile, south, positive(input.household_kWh), total, scratch, partOf(0));
    } else {
        addHouseholdCourse(household, positive(input.household_kWh), total, scratch, partOf(0));
    }

    addMonthly(
        evenMonths(positive(input.hotWater_kWh)),
        [](int s) {
            return kHotWaterHourShare[static_cast<std::size_t>((s % kStepsPerDay) / kStepsPerHour)];
        },
        total, partOf(1));

    const std::vector<float>& air = weather.ambient;
    addMonthly(
        sharedMonths(kHeatingShare, weather.latitude_deg, positive(input.heating_kWh)),
        [&](int s) {
            return std::max(kHeatingBalanceTemperature - air[static_cast<std::size_t>(s)],
                            kHeatingMinWeight_K);
        },
        total, partOf(2));
    addMonthly(
        sharedMonths(kCoolingShare, weather.latitude_deg, positive(input.cooling_kWh)),
        [&](int s) {
            return std::max(static_cast<double>(air[static_cast<std::size_t>(s)]) -
                                kCoolingBalanceTemperature,
                            0.0) +
                   kCoolingMinWeight_K;
        },
        total, partOf(3));

    // The car: each day of a month gets the month's twelfth of the year divided by its days,
    // charged at the wallbox's power from the start hour on (past midnight it goes on at the
    // start of the same day, which only a day of more than 66 kWh reaches).
    const double car = positive(input.car_kWh);
    if (car > 0) {
        const double stepEnergy = kWallboxPower_kW * kStepHours;
        Series* part = partOf(4);
        for (int d = 0; d < kDaysPerYear; ++d) {
            const int month = monthOfDay(d);
            double remaining = car / 12 / kDaysInMonth[static_cast<std::size_t>(month)];
            const int startHour = dayTypeOfDay(d) == DayType::WorkingDay ? kCarWorkdayStartHour
                                                                         : kCarWeekendStartHour;
            // More than a whole day at full power: spread evenly over the day.
            const double perStep =
                remaining > stepEnergy * kStepsPerDay ? remaining / kStepsPerDay : stepEnergy;
            for (int k = 0; k < kStepsPerDay && remaining > 0; ++k) {
                const int step = d * kStepsPerDay + (startHour * kStepsPerHour + k) % kStepsPerDay;
                const double value =
                    k == kStepsPerDay - 1 ? remaining : std::min(perStep, remaining);
                total[static_cast<std::size_t>(step)] += value;
                if (part != nullptr) {
                    (*part)[static_cast<std::size_t>(step)] = value;
                }
                remaining -= value;
            }
        }
    }
}

}  // namespace lumetra::simulation
