// SPDX-License-Identifier: GPL-3.0-or-later
#include "energy/OrientationFactor.h"

#include <cmath>

#include "support/Angles.h"

namespace lumetra {

namespace {

constexpr double kPolarBandStart = 65.5;  // latitudes above it use the polar mapping
constexpr double kLowBandEnd = 35.5;      // latitudes below it use the low mapping

// A value that is not a number counts as 0, so that the table position is always defined.
double clampTilt(double tilt) {
    if (std::isnan(tilt) || tilt < 0) {
        return 0;
    }
    return tilt > 90 ? 90 : tilt;
}

double clampAzimuth(double azimuth) {
    if (std::isnan(azimuth)) {
        return 0;
    }
    if (azimuth > 180) {
        return 180;
    }
    return azimuth < -180 ? -180 : azimuth;
}

double entry(int row, int column) {
    return kOrientationFactors[static_cast<std::size_t>(row * kFactorTiltSteps + column)];
}

// The factor of a plane already mapped onto the reference latitude.
double tableFactor(double tilt, double azimuth) {
    tilt = clampTilt(tilt);
    azimuth = clampAzimuth(azimuth);

    // Only west-facing azimuths are stored. An east-facing plane counts up to 2 degrees
    // further from south than its west-facing mirror (most at due east, none at south or
    // north), because morning sun is weaker than afternoon sun.
    if (azimuth < 0) {
        const double a = -azimuth;
        azimuth = a + 2 * (1 - std::abs(a - 90) * 0.011111111111111112);
    }

    // The caps keep the upper neighbour of the last row and column inside the table.
    double ta = azimuth * 0.1;
    if (ta > 17.99) {
        ta = 17.99;
    }
    double tt = tilt * 0.1;
    if (tt > 8.99) {
        tt = 8.99;
    }
    const int r = static_cast<int>(ta);
    const int c = static_cast<int>(tt);
    const double fa = ta - r;
    const double fc = tt - c;
    return (1 - fa) * ((1 - fc) * entry(r, c) + fc * entry(r, c + 1)) +
           fa * ((1 - fc) * entry(r + 1, c) + fc * entry(r + 1, c + 1));
}

}  // namespace

double orientationFactor(double tilt, double azimuth, double latitude) {
    // South of the equator the sun stands in the north: turn the plane round.
    if (latitude < 0) {
        latitude = -latitude;
        azimuth = azimuth + 180;
        if (azimuth > 180) {
            azimuth -= 360;
        }
    }
    tilt = clampTilt(tilt);
    azimuth = clampAzimuth(azimuth);

    if (latitude > kPolarBandStart) {
        // Near the poles the sun circles low all round; the plane's own azimuth no longer
        // matters, only how steep it stands.
        const double shifted = tilt * 1.1444444444444444 - 70;
        if (shifted < 0) {
            return tableFactor(-shifted, 180);
        }
        return tableFactor(shifted, 0);
    }
    if (latitude < kLowBandEnd) {
        // Near the equator the sun stands high: every plane acts steeper, and one facing
        // away from the equator acts like one facing it.
        tilt = 33 + tilt * 0.6333333333333333;
        if (azimuth > 90) {
            azimuth = 180 - azimuth;
        }
        if (azimuth < -90) {
            azimuth = azimuth + 180;
        }
        return tableFactor(tilt, azimuth);
    }

    // Middle band: a lower latitude raises the sun, which acts like tilting an
    // equator-facing plane further (and a pole-facing one less).
    const double shifted = tilt + std::cos(azimuth * kDegreesToRadians) * (50.5 - latitude);
    if (shifted < 0) {
        // Tilted back through flat: the plane now faces the other way.
        return tableFactor(-shifted, 180 - azimuth);
    }
    if (shifted > 90) {
        // Tilted on past vertical, the plane leans over and turns its face away from the
        // equator. Its yield falls from that of the vertical plane toward that of the plane
        // mirrored through vertical, in proportion to the lean, so that the factor stays
        // continuous at vertical and within the table's range.
        double lean = (shifted - 90) / 90;
        if (lean > 1) {
            lean = 1;
        }
        return (1 - lean) * tableFactor(90, azimuth) +
               lean * tableFactor(180 - shifted, 180 - azimuth);
    }
    return tableFactor(shifted, azimuth);
}

}  // namespace lumetra
