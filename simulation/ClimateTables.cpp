// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/ClimateTables.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "simulation/climate/Distance.h"

namespace lumetra::simulation {

namespace {

// A larger grid is not a climate table but a mistake (or a hostile file).
constexpr long kMaxGridCells = 4'000'000;

// The smallest positive gap between sorted distinct values; 0 when there is only one value.
double smallestGap(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    double gap = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        const double d = values[i] - values[i - 1];
        if (d > 1e-9 && (gap == 0 || d < gap)) {
            gap = d;
        }
    }
    return gap;
}

}  // namespace

IrradiationGrid::IrradiationGrid(const std::vector<Point>& points) {
    if (points.empty()) {
        return;
    }
    std::vector<double> latitudes;
    std::vector<double> longitudes;
    latitudes.reserve(points.size());
    longitudes.reserve(points.size());
    for (const Point& p : points) {
        latitudes.push_back(p.latitude_deg);
        longitudes.push_back(p.longitude_deg);
    }
    latitudeMin_ = *std::min_element(latitudes.begin(), latitudes.end());
    longitudeMin_ = *std::min_element(longitudes.begin(), longitudes.end());
    const double latitudeMax = *std::max_element(latitudes.begin(), latitudes.end());
    const double longitudeMax = *std::max_element(longitudes.begin(), longitudes.end());
    latitudeStep_ = smallestGap(latitudes);
    longitudeStep_ = smallestGap(longitudes);
    if (latitudeStep_ == 0) {
        latitudeStep_ = 1;
    }
    if (longitudeStep_ == 0) {
        longitudeStep_ = 1;
    }
    const double rows = std::round((latitudeMax - latitudeMin_) / latitudeStep_) + 1;
    const double columns = std::round((longitudeMax - longitudeMin_) / longitudeStep_) + 1;
    // A few points spread far apart with a tiny step would ask for a huge, almost empty grid.
    if (rows * columns > static_cast<double>(kMaxGridCells) ||
        rows * columns > 8.0 * static_cast<double>(points.size()) + 1024) {
        throw std::invalid_argument("Das Gitter ist zu groß für seine Punkte");
    }
    latitudeCount_ = static_cast<int>(rows);
    longitudeCount_ = static_cast<int>(columns);
    const auto cellCount = static_cast<std::size_t>(latitudeCount_) * longitudeCount_;
    cells_.assign(cellCount, MonthArray{});
    present_.assign(cellCount, false);
    for (const Point& p : points) {
        const double i = (p.latitude_deg - latitudeMin_) / latitudeStep_;
        const double j = (p.longitude_deg - longitudeMin_) / longitudeStep_;
        // Rounded coordinates may sit a little off the node, but never a tenth of a step.
        if (std::abs(i - std::round(i)) > 0.1 || std::abs(j - std::round(j)) > 0.1) {
            throw std::invalid_argument("Die Punkte liegen nicht auf einem regelmäßigen Gitter");
        }
        const std::size_t index =
            static_cast<std::size_t>(std::lround(i)) * longitudeCount_ + std::lround(j);
        if (present_[index]) {
            throw std::invalid_argument("Ein Gitterpunkt kommt doppelt vor");
        }
        present_[index] = true;
        cells_[index] = p.months;
    }
    pointCount_ = points.size();
}

std::optional<std::pair<double, double>> IrradiationGrid::firstMissingNode() const {
    for (int i = latitudeCount_ - 1; i >= 0; --i) {
        for (int j = 0; j < longitudeCount_; ++j) {
            if (!present_[static_cast<std::size_t>(i) * longitudeCount_ + j]) {
                return std::make_pair(latitudeMin_ + i * latitudeStep_,
                                      longitudeMin_ + j * longitudeStep_);
            }
        }
    }
    return std::nullopt;
}

bool IrradiationGrid::contains(double latitude_deg, double longitude_deg) const {
    if (pointCount_ == 0 || !std::isfinite(latitude_deg) || !std::isfinite(longitude_deg)) {
        return false;
    }
    const double i = (latitude_deg - latitudeMin_) / latitudeStep_;
    const double j = (longitude_deg - longitudeMin_) / longitudeStep_;
    return i >= 0 && j >= 0 && i <= latitudeCount_ - 1 && j <= longitudeCount_ - 1;
}

std::optional<MonthArray> IrradiationGrid::monthlyAt(double latitude_deg,
                                                     double longitude_deg) const {
    if (!contains(latitude_deg, longitude_deg)) {
        return std::nullopt;
    }
    const double i = (latitude_deg - latitudeMin_) / latitudeStep_;
    const double j = (longitude_deg - longitudeMin_) / longitudeStep_;
    const int i0 = std::min(static_cast<int>(i), latitudeCount_ - 1);
    const int j0 = std::min(static_cast<int>(j), longitudeCount_ - 1);
    const int i1 = std::min(i0 + 1, latitudeCount_ - 1);
    const int j1 = std::min(j0 + 1, longitudeCount_ - 1);
    const double fi = i - i0;
    const double fj = j - j0;
    const int rowsOf[4] = {i0, i0, i1, i1};
    const int columnsOf[4] = {j0, j1, j0, j1};
    const double weights[4] = {(1 - fi) * (1 - fj), (1 - fi) * fj, fi * (1 - fj), fi * fj};

    MonthArray result{};
    double weightSum = 0;
    for (int k = 0; k < 4; ++k) {
        const std::size_t index =
            static_cast<std::size_t>(rowsOf[k]) * longitudeCount_ + columnsOf[k];
        if (!present_[index] || weights[k] <= 0) {
            continue;
        }
        weightSum += weights[k];
        for (std::size_t m = 0; m < 12; ++m) {
            result[m] += weights[k] * cells_[index][m];
        }
    }
    if (weightSum <= 0) {
        // The site sits exactly on missing nodes: take any present corner.
        for (int k = 0; k < 4; ++k) {
            const std::size_t index =
                static_cast<std::size_t>(rowsOf[k]) * longitudeCount_ + columnsOf[k];
            if (present_[index]) {
                return cells_[index];
            }
        }
        return std::nullopt;
    }
    for (double& value : result) {
        value /= weightSum;
    }
    return result;
}

ClimateTables::ClimateTables(IrradiationGrid grid, std::vector<TemperatureStation> stations,
                             LoadProfile profile, std::shared_ptr<const HouseholdTables> household)
    : grid_(std::move(grid)),
      stations_(std::move(stations)),
      profile_(profile),
      household_(std::move(household)) {}

std::optional<MonthArray> ClimateTables::stationTemperature(double latitude_deg,
                                                            double longitude_deg,
                                                            double maxDistance_km) const {
    if (!std::isfinite(latitude_deg) || !std::isfinite(longitude_deg)) {
        return std::nullopt;
    }
    const TemperatureStation* nearest = nullptr;
    double best = maxDistance_km;
    for (const TemperatureStation& station : stations_) {
        const double d = greatCircleDistance_km(latitude_deg, longitude_deg, station.latitude_deg,
                                                station.longitude_deg);
        if (d <= best) {
            best = d;
            nearest = &station;
        }
    }
    if (nearest == nullptr) {
        return std::nullopt;
    }
    return nearest->months;
}

}  // namespace lumetra::simulation
