// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumetra::simulation {

// The share of a day's global horizontal irradiation that falls in the hour around hour angle
// omega, by Collares-Pereira and Rabl, "The average distribution of solar radiation -
// correlations between diffuse and hemispherical and between daily and hourly insolation
// values", Solar Energy 22 (1979) 155-164, in the form of Duffie and Beckman (2013), eq. 2.13.2:
//   r_t = pi/24 (a + b cos omega) (cos omega - cos omega_s) / (sin omega_s - omega_s cos omega_s)
//   a = 0.409 + 0.5016 sin(omega_s - 60°),  b = 0.6609 - 0.4767 sin(omega_s - 60°).
// Per hour, 0 outside sunrise .. sunset. Angles in radians.
class CollaresPereiraRabl {
  public:
    explicit CollaresPereiraRabl(double sunsetHourAngle_rad);
    // r_t at an hour angle given by its cosine.
    double ratio(double cosHourAngle) const;
    double a() const { return a_; }
    double b() const { return b_; }

  private:
    double a_ = 0;
    double b_ = 0;
    double cosSunset_ = 1;
    double factor_ = 0;  // pi/24 / (sin omega_s - omega_s cos omega_s)
};

double collaresPereiraRablRatio(double hourAngle_rad, double sunsetHourAngle_rad);

}  // namespace lumetra::simulation
