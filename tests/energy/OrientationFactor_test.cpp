// SPDX-License-Identifier: GPL-3.0-or-later
#include "energy/OrientationFactor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumetra {
namespace {

struct FactorCase {
    const char* name;
    double tilt;
    double azimuth;
    double latitude;
    double expected;
};

class OrientationFactorCases : public ::testing::TestWithParam<FactorCase> {};

TEST_P(OrientationFactorCases, MatchesReferenceFigure) {
    const FactorCase& c = GetParam();
    EXPECT_NEAR(orientationFactor(c.tilt, c.azimuth, c.latitude), c.expected, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Factors, OrientationFactorCases,
    ::testing::Values(FactorCase{"ExactEntrySouthRoofAtReference", 30, 0, 50.5, 0.99},
                      FactorCase{"WallReadsThroughTiltCap", 90, 0, 50.5, 0.7307},
                      FactorCase{"NorthRoofReadsThroughAzimuthCap", 30, 180, 50.5, 0.6601},
                      FactorCase{"EastCountsFurtherFromSouth", 30, -90, 48.2, 0.856},
                      FactorCase{"WestMirrorOfEast", 30, 90, 48.2, 0.86},
                      FactorCase{"FlatPlaneAwayFromReferenceIsTilted", 0, 45, 48, 0.907955},
                      FactorCase{"SouthernFlipThenLowBandFold", 30, 0, -33.9, 0.974},
                      FactorCase{"LowBandNorthWestFolds", 45, 135, 20, 0.89175},
                      FactorCase{"LowBandNorthEastTurns", 45, -135, 20, 0.89175},
                      FactorCase{"LowBandSouthEast", 45, -45, 20, 0.8899},
                      FactorCase{"PolarShallowFacesNorth", 20, 60, 70, 0.520322},
                      FactorCase{"PolarSteepFacesSouth", 80, 60, 70, 0.981556},
                      FactorCase{"SouthernRoofFacingPoleAtReference", 30, 0, -50.5, 0.6601},
                      FactorCase{"FlatPlaneAtReferenceIgnoresAzimuth", 0, 123, 50.5, 0.90},
                      FactorCase{"MiddleBandUpperEdgeIncluded", 0, 0, 65.5, 0.80005},
                      FactorCase{"MiddleBandLowerEdgeIncluded", 0, 90, 35.5, 0.90},
                      FactorCase{"ExactEastAtReference", 30, -90, 50.5, 0.856}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct EquivalentCase {
    const char* name;
    double tilt;
    double azimuth;
    double latitude;
    double sameTilt;
    double sameAzimuth;
    double sameLatitude;
};

class OrientationFactorEquivalences : public ::testing::TestWithParam<EquivalentCase> {};

TEST_P(OrientationFactorEquivalences, GiveTheSameFactor) {
    const EquivalentCase& c = GetParam();
    EXPECT_DOUBLE_EQ(orientationFactor(c.tilt, c.azimuth, c.latitude),
                     orientationFactor(c.sameTilt, c.sameAzimuth, c.sameLatitude));
}

INSTANTIATE_TEST_SUITE_P(
    Clamps, OrientationFactorEquivalences,
    ::testing::Values(EquivalentCase{"NegativeTiltIsFlat", -25, 40, 50.5, 0, 40, 50.5},
                      EquivalentCase{"TiltBeyondWallIsWall", 135, 40, 50.5, 90, 40, 50.5},
                      EquivalentCase{"AzimuthBeyondNorthIsNorth", 30, 270, 50.5, 30, 180, 50.5},
                      EquivalentCase{"AzimuthBeyondNorthEastIsNorth", 30, -400, 50.5, 30, -180,
                                     50.5},
                      EquivalentCase{"PolarBandIgnoresAzimuth", 20, 60, 70, 20, -120, 70},
                      EquivalentCase{"PolarBandBothPoles", 50, 0, 80, 50, 180, -80},
                      EquivalentCase{"SouthernHemisphereTurnsPlane", 40, 30, -45, 40, -150, 45},
                      EquivalentCase{"EquatorCountsNorthern", 40, 30, 0, 40, 30, 1e-300}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(OrientationFactorRange, StaysWithinTableBoundsEverywhere) {
    for (double latitude = -90; latitude <= 90; latitude += 2.5) {
        for (double azimuth = -200; azimuth <= 200; azimuth += 7.5) {
            for (double tilt = -10; tilt <= 100; tilt += 2.5) {
                const double f = orientationFactor(tilt, azimuth, latitude);
                ASSERT_GE(f, 0.30 - 1e-12) << tilt << " " << azimuth << " " << latitude;
                ASSERT_LE(f, 0.99 + 1e-12) << tilt << " " << azimuth << " " << latitude;
            }
        }
    }
}

TEST(OrientationFactorRange, NumbersThatAreNoNumbersStayInRange) {
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    const double inputs[][3] = {{nan, 0, 50.5}, {30, nan, 50.5},  {30, 0, nan},
                                {inf, 0, 50.5}, {30, -inf, 50.5}, {30, 0, -inf}};
    for (const auto& input : inputs) {
        const double f = orientationFactor(input[0], input[1], input[2]);
        EXPECT_GE(f, 0.30) << input[0] << " " << input[1] << " " << input[2];
        EXPECT_LE(f, 0.99) << input[0] << " " << input[1] << " " << input[2];
    }
}

// Walking the tilt in small steps at a fixed site and direction never jumps: the mapping
// through flat and through vertical is continuous inside the middle band.
TEST(OrientationFactorContinuity, TiltSweepHasNoJumpInMiddleBand) {
    const double latitudes[] = {35.5, 37, 42, 50.5, 58, 65.5};
    const double azimuths[] = {-180, -135, -90, -30, 0, 30, 90, 135, 180};
    for (double latitude : latitudes) {
        for (double azimuth : azimuths) {
            double previous = orientationFactor(0, azimuth, latitude);
            for (double tilt = 0.01; tilt <= 90; tilt += 0.01) {
                const double f = orientationFactor(tilt, azimuth, latitude);
                ASSERT_LT(std::abs(f - previous), 0.002)
                    << "tilt " << tilt << " azimuth " << azimuth << " latitude " << latitude;
                previous = f;
            }
        }
    }
}

struct LeanCase {
    const char* name;
    double azimuth;
    double latitude;
};

class OrientationFactorLeaningPastVertical : public ::testing::TestWithParam<LeanCase> {};

// A wall nearer the equator than the reference latitude acts like a plane leaning past
// vertical: continuous at the tilt where it reaches vertical, and for an equator-facing wall
// lower than the vertical plane's factor.
TEST_P(OrientationFactorLeaningPastVertical, FallsBelowVerticalAndStaysContinuous) {
    const LeanCase& c = GetParam();
    const double shift = std::cos(c.azimuth * 0.017453292519943295) * (50.5 - c.latitude);
    const double verticalTilt = 90 - shift;  // the tilt that maps onto exactly 90
    const double atVertical = orientationFactor(verticalTilt, c.azimuth, c.latitude);
    EXPECT_NEAR(orientationFactor(verticalTilt + 1e-7, c.azimuth, c.latitude), atVertical, 1e-6);
    EXPECT_NEAR(orientationFactor(verticalTilt - 1e-7, c.azimuth, c.latitude), atVertical, 1e-6);
    EXPECT_LT(orientationFactor(90, c.azimuth, c.latitude), atVertical);
}

INSTANTIATE_TEST_SUITE_P(Walls, OrientationFactorLeaningPastVertical,
                         ::testing::Values(LeanCase{"SouthWallAt37", 0, 37},
                                           LeanCase{"SouthWestWallAt40", 45, 40},
                                           LeanCase{"SouthEastWallAt36", -30, 36}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(OrientationFactorLeaningPastVertical, SouthWallAt37IsBetweenVerticalAndFacingAway) {
    const double f = orientationFactor(90, 0, 37);
    // 13.5 degrees of lean: 85 % of the vertical south wall, 15 % of the north-facing plane
    // tilted 76.5 degrees.
    const double vertical = orientationFactor(90, 0, 50.5);
    const double away = orientationFactor(76.5, 180, 50.5);
    EXPECT_NEAR(f, 0.85 * vertical + 0.15 * away, 1e-9);
}

}  // namespace
}  // namespace lumetra
