// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/PlaneYield.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "simulation/module/IncidenceAngle.h"
#include "simulation/module/ModulePower.h"
#include "simulation/module/ModuleTemperature.h"
#include "support/Angles.h"

namespace lumetra::simulation {

namespace {

// martinRuizBeamModifier as a table over cos(incidence), interpolated: the exponential would
// cost more than the rest of a step.
class BeamModifier {
  public:
    BeamModifier() {
        for (std::size_t i = 0; i <= kSize; ++i) {
            const double c = static_cast<double>(i) / kSize;
            table_[i] = martinRuizBeamModifier(std::acos(c) / kDegreesToRadians);
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
    tilt_deg = std::clamp(tilt_deg, 0.0, 180.0);
    const double tilt = tilt_deg * kDegreesToRadians;
    const double azimuth = azimuth_deg * kDegreesToRadians;
    const double cosTilt = std::cos(tilt);
    const double sinTilt = std::sin(tilt);
    // The plane's normal in east, north, up: azimuth 0 faces south, -90 east.
    const double normalEast = -sinTilt * std::sin(azimuth);
    const double normalNorth = -sinTilt * std::cos(azimuth);
    const double normalUp = cosTilt;
    const double skyView = 0.5 * (1 + cosTilt);
    const double groundView = 0.5 * (1 - cosTilt) * kGroundReflectance;
    const MartinRuizDiffuse diffuseModifiers = martinRuizDiffuseModifiers(tilt_deg);
    const BeamModifier& beamIam = beamModifier();

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
        const double effective =
            std::max(0.0, direct * beamIam(cosIncidence) + sky * diffuseModifiers.sky +
                              reflected * diffuseModifiers.ground);
        const double moduleTemperature =
            faimanModuleTemperature(planeOfArray, light.ambient[i], light.wind[i]);
        const double dc = huldRelativePower(effective, moduleTemperature);
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
