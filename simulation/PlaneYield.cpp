// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/PlaneYield.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "support/Angles.h"

namespace lumetra::simulation {

namespace {

// The beam modifier of Martin and Ruiz as a table over cos(incidence), interpolated: the
// exponential would cost more than the rest of a step.
class BeamModifier {
  public:
    BeamModifier() {
        const double norm = 1.0 - std::exp(-1.0 / kMartinRuizAr);
        for (std::size_t i = 0; i <= kSize; ++i) {
            const double c = static_cast<double>(i) / kSize;
            table_[i] = (1.0 - std::exp(-c / kMartinRuizAr)) / norm;
        }
    }
    double operator()(double cosIncidence) const {
        const double x = std::clamp(cosIncidence, 0.0, 1.0) * kSize;
        const auto i = std::min(static_cast<std::size_t>(x), kSize - 1);
        const double f = x - static_cast<double>(i);
        return table_[i] + f * (table_[i + 1] - table_[i]);
    }

  private:
    static constexpr std::size_t kSize = 1024;
    std::array<double, kSize + 1> table_{};
};

const BeamModifier& beamModifier() {
    static const BeamModifier modifier;  // immutable once built
    return modifier;
}

// Martin and Ruiz (2001), eqs. for isotropic sky diffuse and ground reflected light.
double diffuseModifier(double tilt, bool ground) {
    const double c1 = 4.0 / (3.0 * kPi);
    const double c2 = 0.5 * kMartinRuizAr - 0.154;
    const double s = std::sin(tilt);
    const double c = std::cos(tilt);
    double term = 0;
    if (ground) {
        if (1 - c < 1e-9) {
            return 0;  // a horizontal plane sees no ground
        }
        term = s + (tilt - s) / (1 - c);
    } else {
        if (1 + c < 1e-9) {
            return 0;  // a plane facing down sees no sky
        }
        term = s + (kPi - tilt - s) / (1 + c);
    }
    return 1.0 - std::exp(-(c1 + c2 * term) * term / kMartinRuizAr);
}

}  // namespace

PlaneAnnual planeYieldPerKWp(const WeatherYear& weather, double tilt_deg, double azimuth_deg,
                             std::vector<double>& series) {
    series.assign(kStepCount, 0.0);
    if (!std::isfinite(tilt_deg)) {
        tilt_deg = 0;
    }
    if (!std::isfinite(azimuth_deg)) {
        azimuth_deg = 0;
    }
    const double tilt = std::clamp(tilt_deg, 0.0, 180.0) * kDegreesToRadians;
    const double azimuth = azimuth_deg * kDegreesToRadians;
    const double cosTilt = std::cos(tilt);
    const double sinTilt = std::sin(tilt);
    // The plane's normal in east, north, up: azimuth 0 faces south, -90 east.
    const double normalEast = -sinTilt * std::sin(azimuth);
    const double normalNorth = -sinTilt * std::cos(azimuth);
    const double normalUp = cosTilt;
    const double skyView = 0.5 * (1 + cosTilt);
    const double groundView = 0.5 * (1 - cosTilt) * kGroundReflectance;
    const double skyModifier = diffuseModifier(tilt, false);
    const double groundModifier = diffuseModifier(tilt, true);
    const BeamModifier& beamIam = beamModifier();
    const double heatLoss = kFaimanU0 + kFaimanU1 * kAssumedWind_m_per_s;

    const WeatherYear::Daylight& light = weather.daylight;
    PlaneAnnual annual;
    const std::size_t count = light.step.size();
    for (std::size_t i = 0; i < count; ++i) {
        const double cosIncidence =
            std::max(0.0, light.sunEast[i] * normalEast + light.sunNorth[i] * normalNorth +
                              light.sunUp[i] * normalUp);
        // Beam and circumsolar light arrive from the sun's direction.
        const double direct = (light.beamNormal[i] + light.circumsolarPerCos[i]) * cosIncidence;
        const double sky = light.isotropic[i] * skyView + light.horizon[i] * sinTilt;
        const double reflected = light.global[i] * groundView;
        const double planeOfArray = std::max(0.0, direct + sky + reflected);
        const double effective = std::max(
            0.0, direct * beamIam(cosIncidence) + sky * skyModifier + reflected * groundModifier);
        const double cellTemperature = light.ambient[i] + planeOfArray / heatLoss;
        const double dc = std::max(
            0.0, effective / 1000.0 * (1 + kTemperatureCoefficient_per_K * (cellTemperature - 25)));
        series[static_cast<std::size_t>(light.step[i])] = dc * kStepHours;
        annual.planeOfArray += planeOfArray;
        annual.effective += effective;
        annual.dcPerKWp += dc;
    }
    annual.planeOfArray *= kStepHours / 1000.0;
    annual.effective *= kStepHours / 1000.0;
    annual.dcPerKWp *= kStepHours;
    return annual;
}

}  // namespace lumetra::simulation
