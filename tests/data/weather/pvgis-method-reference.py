#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The specific yield of a horizontal plane by the power model PVGIS documents, hour by hour on
# PVGIS's typical year (pvgis-tmy_45.000_8.000_2005_2023.csv), as a reference for the hourly
# balance. Independent of Lumetra's code: the sun by NOAA's general solar position equations.
import datetime
import math
import pathlib

HERE = pathlib.Path(__file__).parent
LATITUDE, LONGITUDE, OFFSET_H = 45.0, 8.0, 0.1761
K = (-0.017237, -0.040465, -0.004702, 0.000149, 0.000170, 0.000005)  # Huld, PVGIS 5, c-Si
U0, U1 = 26.9, 6.2  # PVGIS's Faiman coefficients, free-standing crystalline silicon
A_R = 0.16  # Martin and Ruiz
LOSSES = 0.14


def huld(irradiance, module_temperature):
    g = irradiance / 1000
    t = module_temperature - 25
    ln = math.log(g)
    return g * (1 + K[0] * ln + K[1] * ln * ln + t * (K[2] + K[3] * ln + K[4] * ln * ln)
                + K[5] * t * t)


def cos_zenith(stamp):
    moment = datetime.datetime.strptime(stamp, "%Y%m%d:%H%M") + datetime.timedelta(hours=OFFSET_H)
    day = moment.timetuple().tm_yday
    hour = moment.hour + moment.minute / 60 + moment.second / 3600
    g = 2 * math.pi / 365 * (day - 1 + (hour - 12) / 24)
    declination = (0.006918 - 0.399912 * math.cos(g) + 0.070257 * math.sin(g)
                   - 0.006758 * math.cos(2 * g) + 0.000907 * math.sin(2 * g)
                   - 0.002697 * math.cos(3 * g) + 0.00148 * math.sin(3 * g))
    equation_of_time = 229.18 * (0.000075 + 0.001868 * math.cos(g) - 0.032077 * math.sin(g)
                                 - 0.014615 * math.cos(2 * g) - 0.040849 * math.sin(2 * g))
    hour_angle = math.radians((hour * 60 + equation_of_time + 4 * LONGITUDE) / 4 - 180)
    phi = math.radians(LATITUDE)
    return (math.sin(phi) * math.sin(declination)
            + math.cos(phi) * math.cos(declination) * math.cos(hour_angle))


def beam_modifier(cos_incidence):
    return (1 - math.exp(-cos_incidence / A_R)) / (1 - math.exp(-1 / A_R))


# The sky of a horizontal plane: Martin and Ruiz's diffuse approximation at tilt 0.
X = math.pi / 2
SKY_MODIFIER = 1 - math.exp(-(4 / (3 * math.pi) + (A_R / 2 - 0.154) * X) * X / A_R)

irradiation = energy = 0.0
for line in (HERE / "pvgis-tmy_45.000_8.000_2005_2023.csv").read_text().splitlines():
    fields = line.split(",")
    if len(fields) != 10 or not fields[0][:1].isdigit() or ":" not in fields[0]:
        continue
    air, global_, diffuse, wind = (float(fields[i]) for i in (1, 3, 5, 7))
    irradiation += global_
    if global_ <= 0:
        continue
    cz = max(cos_zenith(fields[0]), 0.0)
    effective = max(global_ - diffuse, 0.0) * (beam_modifier(cz) if cz > 0 else 0.0)
    effective += diffuse * SKY_MODIFIER
    module = air + global_ / (U0 + U1 * wind)
    energy += max(huld(effective, module), 0.0)

print("irradiation %.1f kWh/m2, yield %.1f kWh/kWp, performance ratio %.3f" % (
    irradiation / 1000, energy * (1 - LOSSES), energy * (1 - LOSSES) / (irradiation / 1000)))
