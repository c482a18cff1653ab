// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/WeatherYear.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "energy/MonthlyShares.h"
#include "energy/YieldBalance.h"
#include "simulation/ReferenceCalendar.h"
#include "simulation/SolarPosition.h"
#include "support/Angles.h"

namespace lumetra::simulation {

namespace {

constexpr double kStepRadians = 2 * kPi / kStepsPerDay;  // hour angle per step
// The sun's height below which the beam is not resolved (Rb would explode).
constexpr double kMinCosZenith = 0.0523;  // 87 degrees

// Diffuse fraction of the hourly global irradiance (Erbs, Klein and Duffie 1982).
double erbsDiffuseFraction(double kt) {
    if (kt <= 0.22) {
        return 1.0 - 0.09 * kt;
    }
    if (kt <= 0.80) {
        return 0.9511 + kt * (-0.1604 + kt * (4.388 + kt * (-16.638 + kt * 12.336)));
    }
    return 0.165;
}

// Perez et al. (1990), all-sites composite coefficients f11 f12 f13 f21 f22 f23 for the eight
// bins of the sky clearness epsilon.
// clang-format off
constexpr double kPerezBinUpper[7] = {1.065, 1.230, 1.500, 1.950, 2.800, 4.500, 6.200};
constexpr double kPerezCoefficients[8][6] = {
    {-0.008,  0.588, -0.062, -0.060,  0.072, -0.022},
    { 0.130,  0.683, -0.151, -0.019,  0.066, -0.029},
    { 0.330,  0.487, -0.221,  0.055, -0.064, -0.026},
    { 0.568,  0.187, -0.295,  0.109, -0.152, -0.014},
    { 0.873, -0.392, -0.362,  0.226, -0.462,  0.001},
    { 1.132, -1.237, -0.412,  0.288, -0.823,  0.056},
    { 1.060, -1.600, -0.359,  0.264, -1.127,  0.131},
    { 0.678, -0.327, -0.250,  0.156, -1.377,  0.251},
};
// clang-format on
constexpr double kCos85 = 0.08715574274765817;

struct PerezBrightening {
    double f1 = 0;  // circumsolar
    double f2 = 0;  // horizon band
};

// Zenith angle and relative air mass (Kasten and Young 1989) as tables over cos(zenith),
// interpolated: acos and pow would cost more than the rest of the weather year.
class ZenithTable {
  public:
    ZenithTable() {
        for (std::size_t i = 0; i <= kSize; ++i) {
            const double cosZenith = static_cast<double>(i) / kSize;
            const double zenith = std::acos(cosZenith);
            zenith_[i] = zenith;
            airMass_[i] =
                1.0 /
                (cosZenith + 0.50572 * std::pow(96.07995 - zenith / kDegreesToRadians, -1.6364));
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

// perNormal: 1 / extraterrestrial normal irradiance (m²/W).
PerezBrightening perez(double diffuse, double beamNormal, double cosZenith, double perNormal) {
    if (diffuse <= 0) {
        return {};
    }
    const auto [zenith, airMass] = zenithTable()(cosZenith);
    const double z3 = 1.041 * zenith * zenith * zenith;
    const double epsilon = ((diffuse + beamNormal) / diffuse + z3) / (1 + z3);
    const double brightness = diffuse * airMass * perNormal;
    int bin = 0;
    while (bin < 7 && epsilon >= kPerezBinUpper[bin]) {
        ++bin;
    }
    const double* f = kPerezCoefficients[bin];
    return {std::max(0.0, f[0] + f[1] * brightness + f[2] * zenith),
            f[3] + f[4] * brightness + f[5] * zenith};
}

MonthArray siteTemperature(const ClimateTables& climate, double latitude, double longitude,
                           bool* fromStation) {
    if (auto station = climate.stationTemperature(latitude, longitude, kMaxStationDistance_km)) {
        *fromStation = true;
        return *station;
    }
    *fromStation = false;
    MonthArray result{};
    const int shift = seasonShift(latitude);
    for (std::size_t m = 0; m < 12; ++m) {
        result[(m + static_cast<std::size_t>(shift)) % 12] = kDefaultMonthlyTemperature[m];
    }
    return result;
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

MonthArray siteMonthlyIrradiation(const ClimateTables& climate, double latitude_deg,
                                  double longitude_deg, double annualIrradiation,
                                  bool* insideGrid) {
    MonthArray shape{};
    const auto grid = climate.irradiation().monthlyAt(latitude_deg, longitude_deg);
    if (grid) {
        shape = *grid;
    } else {
        const MonthlyValues northern = irradiationShape(latitude_deg, nullptr);
        const int shift = seasonShift(latitude_deg);
        for (std::size_t m = 0; m < 12; ++m) {
            shape[(m + static_cast<std::size_t>(shift)) % 12] = northern[m];
        }
    }
    double sum = 0;
    for (double value : shape) {
        sum += std::max(0.0, value);
    }
    MonthArray result{};
    for (std::size_t m = 0; m < 12; ++m) {
        result[m] =
            sum > 0 ? annualIrradiation * std::max(0.0, shape[m]) / sum : annualIrradiation / 12;
    }
    if (insideGrid != nullptr) {
        *insideGrid = grid.has_value();
    }
    return result;
}

void buildWeatherYear(const ClimateTables& climate, double latitude_deg, double longitude_deg,
                      double annualIrradiation, WeatherYear& weather) {
    // The poles themselves have no east; stay a hair away from them.
    const double latitude = std::clamp(latitude_deg, -89.9, 89.9);
    const double longitude = std::remainder(longitude_deg, 360.0);
    weather.latitude_deg = latitude_deg;
    weather.longitude_deg = longitude_deg;
    weather.annualIrradiation = annualIrradiation;

    bool insideGrid = false;
    const MonthArray wanted = siteMonthlyIrradiation(climate, latitude, longitude,
                                                     std::max(0.0, annualIrradiation), &insideGrid);
    weather.insideGrid = insideGrid;
    weather.timeZoneMeridian_deg =
        timeZoneMeridian(longitude, climate.irradiation().contains(latitude, longitude));
    weather.monthlyTemperature =
        siteTemperature(climate, latitude, longitude, &weather.stationTemperature);

    const double phi = latitude * kDegreesToRadians;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);

    // The sun of each day and the extraterrestrial irradiation on the horizontal.
    std::array<SolarDay, kDaysPerYear> days{};
    std::array<double, kDaysPerYear> sunsetAngle{};
    MonthArray monthlyExtraterrestrial{};
    for (int d = 0; d < kDaysPerYear; ++d) {
        const auto day = static_cast<std::size_t>(d);
        days[day] = solarDay(d, longitude, weather.timeZoneMeridian_deg);
        const double delta = days[day].declination_rad;
        const double cosSunset = std::clamp(-std::tan(phi) * std::tan(delta), -1.0, 1.0);
        const double ws = std::acos(cosSunset);
        sunsetAngle[day] = ws;
        // Duffie and Beckman (2013), eq. 1.10.3, in kWh/m².
        const double h0 =
            24.0 / kPi * kSolarConstant_W_per_m2 * days[day].eccentricity *
            (cosPhi * std::cos(delta) * std::sin(ws) + ws * sinPhi * std::sin(delta)) / 1000.0;
        weather.dailyExtraterrestrial[day] = std::max(0.0, h0);
        monthlyExtraterrestrial[static_cast<std::size_t>(monthOfDay(d))] +=
            weather.dailyExtraterrestrial[day];
    }
    weather.monthlyIrradiation = placeableMonths(wanted, monthlyExtraterrestrial);
    weather.dailyIrradiation =
        dailyIrradiation(weather.monthlyIrradiation, weather.dailyExtraterrestrial);
    const DayArray meanTemperature = dailyTemperature(weather.monthlyTemperature);

    weather.globalHorizontal.assign(kStepCount, 0.0);
    weather.ambient.assign(kStepCount, 0.0f);
    WeatherYear::Daylight& light = weather.daylight;
    for (auto* v :
         {&light.global, &light.diffuse, &light.beamNormal, &light.sunEast, &light.sunNorth,
          &light.sunUp, &light.circumsolarPerCos, &light.isotropic, &light.horizon}) {
        v->clear();
        v->reserve(kStepCount / 2 + kStepsPerDay);
    }
    light.step.clear();
    light.ambient.clear();
    light.step.reserve(kStepCount / 2 + kStepsPerDay);
    light.ambient.reserve(kStepCount / 2 + kStepsPerDay);

    std::array<double, kStepsPerDay> weight{};
    std::array<double, kStepsPerDay> cosOmega{};
    std::array<double, kStepsPerDay> sinOmega{};
    const double cosStep = std::cos(kStepRadians);
    const double sinStep = std::sin(kStepRadians);
    for (int d = 0; d < kDaysPerYear; ++d) {
        const auto day = static_cast<std::size_t>(d);
        const SolarDay& sun = days[day];
        const double sinDelta = std::sin(sun.declination_rad);
        const double cosDelta = std::cos(sun.declination_rad);
        const double ws = sunsetAngle[day];
        const double cosWs = std::cos(ws);
        const double a = 0.409 + 0.5016 * std::sin(ws - kPi / 3);
        const double b = 0.6609 - 0.4767 * std::sin(ws - kPi / 3);
        const double normal = kSolarConstant_W_per_m2 * sun.eccentricity;
        const double clearness =
            weather.dailyExtraterrestrial[day] > 0
                ? weather.dailyIrradiation[day] / weather.dailyExtraterrestrial[day]
                : 0.0;
        const double swing = 0.5 * (3.0 + 10.0 * clearness);

        // Hour angle at the middle of each step (local standard time (k + 0.5) / 4 h), turned
        // on step by step instead of a cosine per step.
        const double omega0 = sun.noonHourAngle_rad + (0.5 - kStepsPerDay / 2) * kStepRadians;
        double c = std::cos(omega0);
        double s = std::sin(omega0);
        double weightSum = 0;
        for (int k = 0; k < kStepsPerDay; ++k) {
            const auto i = static_cast<std::size_t>(k);
            cosOmega[i] = c;
            sinOmega[i] = s;
            // Only between sunrise and sunset: both factors are negative around midnight.
            const double w = (a + b * c) * (c - cosWs);
            weight[i] = c > cosWs && w > 0 ? w : 0.0;
            weightSum += weight[i];

            // Air temperature: lowest at 3:00, highest at 15:00 solar time.
            const double phase = (c + s) * 0.7071067811865476;
            weather.ambient[static_cast<std::size_t>(d * kStepsPerDay + k)] =
                static_cast<float>(meanTemperature[day] + swing * phase);

            const double next = c * cosStep - s * sinStep;
            s = s * cosStep + c * sinStep;
            c = next;
        }
        const double dayEnergy_Wh = weather.dailyIrradiation[day] * 1000.0;
        if (dayEnergy_Wh <= 0) {
            continue;
        }
        if (weightSum <= 0) {
            // The sun barely rises: no step middle sees it. Keep the day's energy, as diffuse
            // light in the step nearest solar noon.
            int best = 0;
            for (int k = 1; k < kStepsPerDay; ++k) {
                if (cosOmega[static_cast<std::size_t>(k)] >
                    cosOmega[static_cast<std::size_t>(best)]) {
                    best = k;
                }
            }
            weight[static_cast<std::size_t>(best)] = 1;
            weightSum = 1;
        }
        const double toIrradiance = dayEnergy_Wh / (weightSum * kStepHours);  // W/m²
        const double perNormal = 1.0 / normal;
        for (int k = 0; k < kStepsPerDay; ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (weight[i] <= 0) {
                continue;
            }
            const int step = d * kStepsPerDay + k;
            const double global = weight[i] * toIrradiance;
            const double cosZenith = sinPhi * sinDelta + cosPhi * cosDelta * cosOmega[i];
            double diffuse = global;
            double beamNormal = 0;
            if (cosZenith > 0) {
                const double perCz = 1.0 / std::max(cosZenith, kMinCosZenith);
                const double kt = global * perNormal * perCz;
                diffuse = global * std::min(1.0, erbsDiffuseFraction(kt));
                beamNormal = std::min((global - diffuse) * perCz, normal);
            }
            const PerezBrightening brightening = perez(diffuse, beamNormal, cosZenith, perNormal);
            weather.globalHorizontal[static_cast<std::size_t>(step)] = global;
            light.step.push_back(step);
            light.global.push_back(global);
            light.diffuse.push_back(diffuse);
            light.beamNormal.push_back(beamNormal);
            light.sunEast.push_back(-cosDelta * sinOmega[i]);
            light.sunNorth.push_back(cosPhi * sinDelta - sinPhi * cosDelta * cosOmega[i]);
            light.sunUp.push_back(cosZenith);
            light.circumsolarPerCos.push_back(diffuse * brightening.f1 /
                                              std::max(cosZenith, kCos85));
            light.isotropic.push_back(diffuse * (1 - brightening.f1));
            light.horizon.push_back(diffuse * brightening.f2);
            light.ambient.push_back(weather.ambient[static_cast<std::size_t>(step)]);
        }
    }
}

std::size_t WeatherYear::memoryBytes() const {
    std::size_t bytes =
        globalHorizontal.capacity() * sizeof(double) + ambient.capacity() * sizeof(float) +
        daylight.step.capacity() * sizeof(int) + daylight.ambient.capacity() * sizeof(float);
    for (const auto* v : {&daylight.global, &daylight.diffuse, &daylight.beamNormal,
                          &daylight.sunEast, &daylight.sunNorth, &daylight.sunUp,
                          &daylight.circumsolarPerCos, &daylight.isotropic, &daylight.horizon}) {
        bytes += v->capacity() * sizeof(double);
    }
    return bytes;
}

}  // namespace lumetra::simulation
