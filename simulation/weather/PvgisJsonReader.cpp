// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/weather/JsonDocument.h"
#include "simulation/weather/PvgisTimeStamp.h"
#include "simulation/weather/WeatherReaders.h"
#include "simulation/weather/WeatherRows.h"

namespace lumetra::simulation {

namespace {

const JsonValue* path(const JsonValue& root, std::initializer_list<std::string_view> keys) {
    const JsonValue* value = &root;
    for (std::string_view key : keys) {
        value = value->member(key);
        if (value == nullptr) {
            return nullptr;
        }
    }
    return value;
}

std::optional<double> number(const JsonValue* value) {
    if (value == nullptr || value->kind != JsonValue::Kind::Number) {
        return std::nullopt;
    }
    return value->number;
}

bool failed(std::string* error, int line, std::string_view what) {
    if (error != nullptr) {
        *error = lineError(line, what);
    }
    return false;
}

}  // namespace

std::optional<WeatherFile> parsePvgisJson(std::string_view bytes, std::string* error) {
    const std::optional<JsonValue> root = parseJson(bytes, error);
    if (!root) {
        return std::nullopt;
    }
    WeatherFile file;
    file.format = WeatherFile::Format::PvgisJson;
    file.temperatureInstant_h = 0;
    const auto latitude = number(path(*root, {"inputs", "location", "latitude"}));
    const auto longitude = number(path(*root, {"inputs", "location", "longitude"}));
    if (!latitude || !longitude) {
        failed(error, root->line, "inputs.location.latitude oder .longitude fehlt");
        return std::nullopt;
    }
    file.latitude_deg = *latitude;
    file.longitude_deg = *longitude;
    file.irradianceInstant_h =
        number(path(*root, {"inputs", "location", "irradiance_time_offset"})).value_or(0.0);
    const JsonValue* hours = path(*root, {"outputs", "tmy_hourly"});
    if (hours == nullptr || hours->kind != JsonValue::Kind::Array) {
        failed(error, root->line, "outputs.tmy_hourly fehlt");
        return std::nullopt;
    }
    WeatherRows rows(file);
    int index = 0;
    for (const JsonValue& hour : hours->items) {
        ++index;
        const JsonValue* time = hour.member("time(UTC)");
        const auto stamp = time != nullptr && time->kind == JsonValue::Kind::String
                               ? parsePvgisTimeStamp(time->text)
                               : std::nullopt;
        const auto temperature = number(hour.member("T2m"));
        const auto global = number(hour.member("G(h)"));
        const auto diffuse = number(hour.member("Gd(h)"));
        const auto wind = number(hour.member("WS10m"));
        if (!stamp || !temperature || !global || !diffuse || !wind) {
            failed(error, hour.line,
                   "Stunde " + std::to_string(index) +
                       ": erwartet time(UTC), T2m, G(h), Gd(h) und WS10m");
            return std::nullopt;
        }
        if (!rows.add(hour.line, stamp->month, stamp->day, stamp->hour, *global, *diffuse,
                      *temperature, *wind, error)) {
            return std::nullopt;
        }
    }
    const int end = hours->items.empty() ? hours->line : hours->items.back().line;
    if (!rows.complete(end, error)) {
        return std::nullopt;
    }
    return file;
}

}  // namespace lumetra::simulation
