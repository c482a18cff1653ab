// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/WeatherYear.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <utility>

#include "simulation/DailyClearness.h"
#include "simulation/calendar/ReferenceCalendar.h"
#include "simulation/climate/SiteClimate.h"
#include "simulation/solar/DiffuseFraction.h"
#include "simulation/solar/Extraterrestrial.h"
#include "simulation/solar/HourSplit.h"
#include "simulation/solar/PerezSky.h"
#include "simulation/solar/SolarPosition.h"
#include "simulation/weather/HourlySeries.h"
#include "support/Angles.h"

namespace lumetra::simulation {

namespace {

constexpr double kStepRadians = 2 * kPi / kStepsPerDay;  // hour angle per step
// The sun's height below which the beam is not resolved (Rb would explode).
constexpr double kMinCosZenith = 0.0523;  // 87 degrees
constexpr double kCos85 = 0.08715574274765817;

// Zenith angle and relative air mass (kastenYoungAirMass) as tables over cos(zenith),
// interpolated: acos and pow would cost more than the rest of the weather year.
class ZenithTable {
  public:
    ZenithTable() {
        for (std::size_t i = 0; i <= kSize; ++i) {
            const double zenith = std::acos(static_cast<double>(i) / kSize);
            zenith_[i] = zenith;
            airMass_[i] = kastenYoungAirMass(zenith);
        }
    }
    // Zenith angle (radians) and air mass at cos(zenith).
    std::pair<double, double> operator()(double cosZenith) const {
        const double x = std::clamp(cosZenith, 0.0, 1.0) * kSize;
        const auto i = std::min(static_cast<std::size_t>(x), kSize - 1);
        const double f = x - static_cast<double>(i);
        return {zenith_[i] + f * (zenith_[i + 1] - zenith_[i]),
                airMass_[i] + f * (airMass_[i + 1] - airMass_[i])};
    }

  private:
    static constexpr std::size_t kSize = 4096;
    std::array<double, kSize + 1> zenith_{};
    std::array<double, kSize + 1> airMass_{};
};

const ZenithTable& zenithTable() {
    static const ZenithTable table;  // immutable once built
    return table;
}

// The sun over the site through the reference year.
struct SunOfYear {
    double sinPhi = 0;
    double cosPhi = 1;
    std::array<SolarDay, kDaysPerYear> days{};
    DayArray sunset{};            // sunset hour angle, radians
    DayArray extraterrestrial{};  // kWh/m² on the horizontal
    MonthArray monthlyExtraterrestrial{};
};

SunOfYear sunOfYear(double latitude, double longitude, double meridian) {
    SunOfYear sun;
    const double phi = latitude * kDegreesToRadians;
    sun.sinPhi = std::sin(phi);
    sun.cosPhi = std::cos(phi);
    for (int d = 0; d < kDaysPerYear; ++d) {
        const auto day = static_cast<std::size_t>(d);
        sun.days[day] = solarDay(d, longitude, meridian);
        const double delta = sun.days[day].declination_rad;
        sun.sunset[day] = sunsetHourAngle(phi, delta);
        sun.extraterrestrial[day] =
            dailyExtraterrestrialHorizontal_kWh_per_m2(phi, delta, sun.days[day].eccentricity);
        sun.monthlyExtraterrestrial[static_cast<std::size_t>(monthOfDay(d))] +=
            sun.extraterrestrial[day];
    }
    return sun;
}

// The hour angle at the middle of each step of a day (local standard time (k + 0.5) / 4 h),
// turned on step by step instead of a cosine per step.
struct StepAngles {
    std::array<double, kStepsPerDay> cosOmega{};
    std::array<double, kStepsPerDay> sinOmega{};
};

StepAngles stepAngles(const SolarDay& sun) {
    static const double cosStep = std::cos(kStepRadians);
    static const double sinStep = std::sin(kStepRadians);
    StepAngles angles;
    const double omega0 = sun.noonHourAngle_rad + (0.5 - kStepsPerDay / 2) * kStepRadians;
    double c = std::cos(omega0);
    double s = std::sin(omega0);
    for (std::size_t k = 0; k < kStepsPerDay; ++k) {
        angles.cosOmega[k] = c;
        angles.sinOmega[k] = s;
        const double next = c * cosStep - s * sinStep;
        s = s * cosStep + c * sinStep;
        c = next;
    }
    return angles;
}

void clearDaylight(WeatherYear::Daylight& light) {
    constexpr std::size_t kReserve = kStepCount / 2 + kStepsPerDay;
    for (auto* v :
         {&light.global, &light.diffuse, &light.beamNormal, &light.sunEast, &light.sunNorth,
          &light.sunUp, &light.circumsolarPerCos, &light.isotropic, &light.horizon}) {
        v->clear();
        v->reserve(kReserve);
    }
    for (auto* v : {&light.ambient, &light.wind}) {
        v->clear();
        v->reserve(kReserve);
    }
    light.step.clear();
    light.step.reserve(kReserve);
}

// One step with daylight: the global horizontal irradiance and its diffuse part (W/m²), the
// sun's direction, and the extraterrestrial normal irradiance.
struct DaylightStep {
    int step = 0;
    double global = 0;
    double diffuse = 0;
    double sunEast = 0;
    double sunNorth = 0;
    double sunUp = 0;  // cos zenith
    double extraterrestrialNormal = kSolarConstant_W_per_m2;
    float ambient = 0;
    float wind = 0;
};

// Splits the beam from the diffuse light and the diffuse light by Perez's sky model.
void addDaylightStep(WeatherYear::Daylight& light, const DaylightStep& in) {
    double diffuse = std::clamp(in.diffuse, 0.0, in.global);
    double beamNormal = 0;
    if (in.sunUp > 0) {
        beamNormal = std::min((in.global - diffuse) / std::max(in.sunUp, kMinCosZenith),
                              in.extraterrestrialNormal);
    } else {
        diffuse = in.global;  // the sun is down at the step's middle: all of it is sky light
    }
    PerezBrightening brightening;
    if (diffuse > 0) {
        const auto [zenith, airMass] = zenithTable()(in.sunUp);
        brightening = perezBrightening(
            perezSkyClearness(diffuse, beamNormal, zenith),
            perezSkyBrightness(diffuse, airMass, in.extraterrestrialNormal), zenith);
    }
    light.step.push_back(in.step);
    light.global.push_back(in.global);
    light.diffuse.push_back(diffuse);
    light.beamNormal.push_back(beamNormal);
    light.sunEast.push_back(in.sunEast);
    light.sunNorth.push_back(in.sunNorth);
    light.sunUp.push_back(in.sunUp);
    light.circumsolarPerCos.push_back(diffuse * brightening.circumsolar /
                                      std::max(in.sunUp, kCos85));
    light.isotropic.push_back(diffuse * (1 - brightening.circumsolar));
    light.horizon.push_back(diffuse * brightening.horizon);
    light.ambient.push_back(in.ambient);
    light.wind.push_back(in.wind);
}

// Hourly values drawn as straight lines put a little light before sunrise and after sunset.
// That light goes to the nearest quarter hour of the day with the sun up, so that the day keeps
// its irradiation and no plane is lit by a sun below the horizon. A day without the sun above
// the horizon at any quarter hour's middle keeps its light as it is (all of it diffuse).
void moveTwilightToSunlight(const std::array<double, kStepsPerDay>& sunUp,
                            std::vector<double>& global, std::vector<double>& diffuse) {
    for (std::size_t k = 0; k < kStepsPerDay; ++k) {
        if (global[k] <= 0 || sunUp[k] > 0) {
            continue;
        }
        std::size_t nearest = kStepsPerDay;
        for (std::size_t distance = 1; distance < kStepsPerDay && nearest == kStepsPerDay;
             ++distance) {
            if (k >= distance && sunUp[k - distance] > 0) {
                nearest = k - distance;
            } else if (k + distance < kStepsPerDay && sunUp[k + distance] > 0) {
                nearest = k + distance;
            }
        }
        if (nearest == kStepsPerDay) {
            return;  // the sun stays below the horizon all day
        }
        global[nearest] += global[k];
        diffuse[nearest] += diffuse[k];
        global[k] = 0;
        diffuse[k] = 0;
    }
}

// Daily mean temperatures from the monthly means, linear between the middles of the months.
DayArray dailyTemperature(const MonthArray& monthly) {
    std::array<double, 12> middle{};
    for (std::size_t m = 0; m < 12; ++m) {
        middle[m] = kMonthStartDay[m] + 0.5 * kDaysInMonth[m] - 0.5;
    }
    DayArray daily{};
    for (int d = 0; d < kDaysPerYear; ++d) {
        // The month whose middle is the last one at or before d (December of the year
        // before for early January).
        int before = 11;
        for (int m = 0; m < 12; ++m) {
            if (middle[static_cast<std::size_t>(m)] <= d) {
                before = m;
            }
        }
        const int after = (before + 1) % 12;
        double start = middle[static_cast<std::size_t>(before)];
        double end = middle[static_cast<std::size_t>(after)];
        double position = d;
        if (end <= start) {
            end += kDaysPerYear;
        }
        if (position < start) {
            position += kDaysPerYear;
        }
        const double f = (position - start) / (end - start);
        daily[static_cast<std::size_t>(d)] = (1 - f) * monthly[static_cast<std::size_t>(before)] +
                                             f * monthly[static_cast<std::size_t>(after)];
    }
    return daily;
}

}  // namespace

void buildWeatherYear(const ClimateTables& climate, double latitude_deg, double longitude_deg,
                      double annualIrradiation, WeatherYear& weather) {
    // The poles themselves have no east; stay a hair away from them.
    const double latitude = std::clamp(latitude_deg, -89.9, 89.9);
    const double longitude = std::remainder(longitude_deg, 360.0);
    weather.latitude_deg = latitude_deg;
    weather.longitude_deg = longitude_deg;
    weather.annualIrradiation = annualIrradiation;
    weather.imported = false;

    weather.timeZoneMeridian_deg =
        timeZoneMeridian(longitude, climate.irradiation().contains(latitude, longitude));
    weather.monthlyTemperature =
        siteMonthlyTemperature(climate, latitude, longitude, &weather.stationTemperature);

    const SunOfYear sun = sunOfYear(latitude, longitude, weather.timeZoneMeridian_deg);
    weather.dailyExtraterrestrial = sun.extraterrestrial;
    const MonthArray wanted =
        siteMonthlyIrradiation(climate, latitude, longitude, std::max(0.0, annualIrradiation),
                               sun.monthlyExtraterrestrial, &weather.insideGrid);
    weather.monthlyIrradiation = placeableMonths(wanted, sun.monthlyExtraterrestrial);
    weather.dailyIrradiation =
        dailyIrradiation(weather.monthlyIrradiation, weather.dailyExtraterrestrial);
    const DayArray meanTemperature = dailyTemperature(weather.monthlyTemperature);

    weather.globalHorizontal.assign(kStepCount, 0.0);
    weather.ambient.assign(kStepCount, 0.0f);
    clearDaylight(weather.daylight);

    std::array<double, kStepsPerDay> weight{};
    for (int d = 0; d < kDaysPerYear; ++d) {
        const auto day = static_cast<std::size_t>(d);
        const SolarDay& solar = sun.days[day];
        const double sinDelta = std::sin(solar.declination_rad);
        const double cosDelta = std::cos(solar.declination_rad);
        const CollaresPereiraRabl split(sun.sunset[day]);
        const double normal = kSolarConstant_W_per_m2 * solar.eccentricity;
        const double clearness =
            weather.dailyExtraterrestrial[day] > 0
                ? weather.dailyIrradiation[day] / weather.dailyExtraterrestrial[day]
                : 0.0;
        const double swing = 0.5 * (3.0 + 10.0 * clearness);
        const StepAngles angles = stepAngles(solar);

        double weightSum = 0;
        for (std::size_t k = 0; k < kStepsPerDay; ++k) {
            weight[k] = split.ratio(angles.cosOmega[k]);
            weightSum += weight[k];
            // Air temperature: lowest at 3:00, highest at 15:00 solar time.
            const double phase = (angles.cosOmega[k] + angles.sinOmega[k]) * 0.7071067811865476;
            weather.ambient[day * kStepsPerDay + k] =
                static_cast<float>(meanTemperature[day] + swing * phase);
        }
        const double dayEnergy_Wh = weather.dailyIrradiation[day] * 1000.0;
        if (dayEnergy_Wh <= 0) {
            continue;
        }
        if (weightSum <= 0) {
            // The sun barely rises: no step middle sees it. Keep the day's energy, as diffuse
            // light in the step nearest solar noon.
            const auto best = static_cast<std::size_t>(
                std::max_element(angles.cosOmega.begin(), angles.cosOmega.end()) -
                angles.cosOmega.begin());
            weight[best] = 1;
            weightSum = 1;
        }
        const double toIrradiance = dayEnergy_Wh / (weightSum * kStepHours);  // W/m²
        for (std::size_t k = 0; k < kStepsPerDay; ++k) {
            if (weight[k] <= 0) {
                continue;
            }
            const double c = angles.cosOmega[k];
            DaylightStep step;
            step.step = d * kStepsPerDay + static_cast<int>(k);
            step.global = weight[k] * toIrradiance;
            step.sunUp = sun.sinPhi * sinDelta + sun.cosPhi * cosDelta * c;
            step.sunEast = -cosDelta * angles.sinOmega[k];
            step.sunNorth = sun.cosPhi * sinDelta - sun.sinPhi * cosDelta * c;
            step.extraterrestrialNormal = normal;
            step.diffuse = step.global;
            if (step.sunUp > 0) {
                const double kt = step.global / (normal * std::max(step.sunUp, kMinCosZenith));
                step.diffuse = step.global * std::min(1.0, erbsDiffuseFraction(kt));
            }
            step.ambient = weather.ambient[static_cast<std::size_t>(step.step)];
            step.wind = static_cast<float>(kAssumedWind_m_per_s);
            weather.globalHorizontal[static_cast<std::size_t>(step.step)] = step.global;
            addDaylightStep(weather.daylight, step);
        }
    }
}

void buildImportedWeatherYear(const ClimateTables& climate, double latitude_deg,
                              double longitude_deg, const WeatherFile& file, WeatherYear& weather) {
    const double latitude = std::clamp(latitude_deg, -89.9, 89.9);
    const double longitude = std::remainder(longitude_deg, 360.0);
    weather.latitude_deg = latitude_deg;
    weather.longitude_deg = longitude_deg;
    weather.annualIrradiation = file.annualGlobal_kWh_per_m2();
    weather.imported = true;
    weather.insideGrid = climate.irradiation().contains(latitude, longitude);
    weather.stationTemperature = false;
    weather.timeZoneMeridian_deg = timeZoneMeridian(longitude, weather.insideGrid);
    const SunOfYear sun = sunOfYear(latitude, longitude, weather.timeZoneMeridian_deg);
    weather.dailyExtraterrestrial = sun.extraterrestrial;

    // The file's clock runs ahead of the site's local standard time by this.
    const double clockShift_h = file.utcOffset_h - weather.timeZoneMeridian_deg / 15.0;
    const HourlySeries globalSeries(file.global, file.irradianceInstant_h);
    const HourlySeries diffuseSeries(file.diffuse, file.irradianceInstant_h);
    const HourlySeries temperatureSeries(file.temperature, file.temperatureInstant_h);
    const HourlySeries windSeries(file.wind, file.temperatureInstant_h);
    // One day at a time, so that the buffers stay small and are reused.
    std::vector<double> global;
    std::vector<double> diffuse;
    std::vector<double> temperature;
    std::vector<double> wind;

    weather.globalHorizontal.assign(kStepCount, 0.0);
    weather.ambient.assign(kStepCount, 0.0f);
    weather.monthlyIrradiation.fill(0.0);
    weather.monthlyTemperature.fill(0.0);
    weather.dailyIrradiation.fill(0.0);
    clearDaylight(weather.daylight);
    for (int d = 0; d < kDaysPerYear; ++d) {
        const auto day = static_cast<std::size_t>(d);
        const double start = d * 24.0 + clockShift_h;
        globalSeries.stepMeans(start, kStepHours, kStepsPerDay, global);
        diffuseSeries.stepMeans(start, kStepHours, kStepsPerDay, diffuse);
        temperatureSeries.stepValues(start + 0.5 * kStepHours, kStepHours, kStepsPerDay,
                                     temperature);
        windSeries.stepValues(start + 0.5 * kStepHours, kStepHours, kStepsPerDay, wind);
        const SolarDay& solar = sun.days[day];
        const double sinDelta = std::sin(solar.declination_rad);
        const double cosDelta = std::cos(solar.declination_rad);
        const StepAngles angles = stepAngles(solar);
        const auto month = static_cast<std::size_t>(monthOfDay(d));
        std::array<double, kStepsPerDay> sunUp{};
        for (std::size_t k = 0; k < kStepsPerDay; ++k) {
            sunUp[k] = sun.sinPhi * sinDelta + sun.cosPhi * cosDelta * angles.cosOmega[k];
        }
        moveTwilightToSunlight(sunUp, global, diffuse);
        for (std::size_t k = 0; k < kStepsPerDay; ++k) {
            const std::size_t s = day * kStepsPerDay + k;
            weather.globalHorizontal[s] = global[k];
            weather.ambient[s] = static_cast<float>(temperature[k]);
            weather.dailyIrradiation[day] += global[k] * kStepHours / 1000.0;
            weather.monthlyTemperature[month] += temperature[k];
            if (global[k] <= 0) {
                continue;
            }
            DaylightStep step;
            step.step = static_cast<int>(s);
            step.global = global[k];
            step.diffuse = diffuse[k];
            step.sunUp = sunUp[k];
            step.sunEast = -cosDelta * angles.sinOmega[k];
            step.sunNorth = sun.cosPhi * sinDelta - sun.sinPhi * cosDelta * angles.cosOmega[k];
            step.extraterrestrialNormal = kSolarConstant_W_per_m2 * solar.eccentricity;
            step.ambient = weather.ambient[s];
            step.wind = static_cast<float>(std::max(0.0, wind[k]));
            addDaylightStep(weather.daylight, step);
        }
        weather.monthlyIrradiation[month] += weather.dailyIrradiation[day];
    }
    for (std::size_t m = 0; m < 12; ++m) {
        weather.monthlyTemperature[m] /= kDaysInMonth[m] * kStepsPerDay;
    }
}

double WeatherYear::annualGlobal_kWh_per_m2() const {
    return std::accumulate(globalHorizontal.begin(), globalHorizontal.end(), 0.0) * kStepHours /
           1000.0;
}

std::size_t WeatherYear::memoryBytes() const {
    std::size_t bytes = globalHorizontal.capacity() * sizeof(double) +
                        ambient.capacity() * sizeof(float) +
                        daylight.step.capacity() * sizeof(int) +
                        (daylight.ambient.capacity() + daylight.wind.capacity()) * sizeof(float);
    for (const auto* v : {&daylight.global, &daylight.diffuse, &daylight.beamNormal,
                          &daylight.sunEast, &daylight.sunNorth, &daylight.sunUp,
                          &daylight.circumsolarPerCos, &daylight.isotropic, &daylight.horizon}) {
        bytes += v->capacity() * sizeof(double);
    }
    return bytes;
}

}  // namespace lumetra::simulation
