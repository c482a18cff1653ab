// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/HourlyOutput.h"

#include <QJsonArray>

#include <filesystem>
#include <system_error>
#include <utility>

#include "cli/CommandLine.h"
#include "evaluation/Evaluation.h"
#include "evaluation/Spread.h"
#include "evaluation/WeatherChoice.h"
#include "persistence/FileAccess.h"

namespace lumetra::cli {

namespace {

using simulation::FlowSums;

// The keys of the JSON objects and the member each one reads.
const std::pair<const char*, double FlowSums::*> kFlowKeys[] = {
    {"yield_kWh", &FlowSums::yield_kWh},
    {"direct_kWh", &FlowSums::direct_kWh},
    {"batteryCharge_kWh", &FlowSums::batteryCharge_kWh},
    {"batteryDischarge_kWh", &FlowSums::batteryDischarge_kWh},
    {"batteryLoss_kWh", &FlowSums::batteryLoss_kWh},
    {"feedIn_kWh", &FlowSums::feedIn_kWh},
    {"purchase_kWh", &FlowSums::purchase_kWh},
    {"demand_kWh", &FlowSums::demand_kWh},
    {"selfConsumptionShare", &FlowSums::selfConsumptionShare},
    {"selfSufficiency", &FlowSums::selfSufficiency},
    {"specificYield_kWh_per_kWp", &FlowSums::specificYield_kWh_per_kWp},
    {"batteryCycles", &FlowSums::batteryCycles},
    {"costWithout_EUR", &FlowSums::costWithout_EUR},
    {"costWith_EUR", &FlowSums::costWith_EUR},
    {"curtailed_kWh", &FlowSums::curtailed_kWh},
};

}  // namespace

namespace {

QJsonObject percentilesJson(const evaluation::Percentiles& p) {
    return QJsonObject{{"p10", p.p10}, {"p50", p.p50}, {"p90", p.p90}};
}

QJsonObject spreadJson(const evaluation::Spread& spread) {
    QJsonArray band;
    for (const evaluation::SpreadBandPoint& point : spread.sizingBand) {
        band.append(QJsonObject{{"battery_kWh", point.battery_kWh},
                                {"p10", point.selfSufficiency.p10},
                                {"p50", point.selfSufficiency.p50},
                                {"p90", point.selfSufficiency.p90}});
    }
    return QJsonObject{{"homes", spread.homes},
                       {"selfSufficiency", percentilesJson(spread.selfSufficiency)},
                       {"selfConsumptionShare", percentilesJson(spread.selfConsumptionShare)},
                       {"npv_EUR", percentilesJson(spread.npv_EUR)},
                       {"sizingBand", band}};
}

const char* demandProfileKey(simulation::HouseholdLoad load) {
    switch (load) {
        case simulation::HouseholdLoad::Standard:
            return "standard";
        case simulation::HouseholdLoad::Measured:
            return "measured";
        default:
            return "simulated";
    }
}

}  // namespace

QJsonObject hourlyJson(const simulation::HourlyResult& result,
                       const simulation::DataSources& sources, const evaluation::Spread* spread) {
    QJsonObject annual;
    QJsonObject monthly;
    for (const auto& [key, member] : kFlowKeys) {
        annual[key] = result.annual.*member;
        QJsonArray months;
        for (const FlowSums& month : result.monthly) {
            months.append(month.*member);
        }
        monthly[key] = months;
    }
    annual["peakPower_kWp"] = result.peakPower_kWp;
    annual["batteryCapacity_kWh"] = result.batteryCapacity_kWh;
    annual["weather"] = result.weatherImported ? "imported" : "synthetic";
    annual["irradiation_kWh_per_m2"] = result.irradiation_kWh_per_m2;
    annual["demandProfile"] = demandProfileKey(result.householdLoad);
    QJsonArray files;
    for (const simulation::DataSource& source : sources) {
        files.append(
            QJsonObject{{"kind", QString::fromUtf8(source.kind.key.data(),
                                                   static_cast<qsizetype>(source.kind.key.size()))},
                        {"path", QString::fromStdString(utf8Path(source.path))}});
    }
    QJsonObject hourly{{"annual", annual}, {"monthly", monthly}, {"sources", files}};
    if (spread != nullptr) {
        hourly["spread"] = spreadJson(*spread);
    }
    return hourly;
}

std::string absoluteUtf8Path(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(pathFromUtf8(path), error);
    return error ? path : utf8Path(absolute.lexically_normal());
}

simulation::ClimateTablesLoad commandLineTables(const DataSearch& search, const std::string& folder,
                                                std::vector<std::string>& messages) {
    simulation::ClimateTablesLoad tables =
        simulation::loadClimateTables(simulation::TableSearch{search, pathFromUtf8(folder)});
    if (!tables.chosenFolderProblem.empty()) {
        messages.push_back(programMessage(tables.chosenFolderProblem));
    }
    return tables;
}

simulation::DataSources commandLineSources(const simulation::ClimateTablesLoad& tables,
                                           const std::string& weatherPath, bool weatherInUse,
                                           const std::string& measuredPath, bool measuredInUse) {
    simulation::DataSources sources = tables.sources;
    if (weatherInUse) {
        sources.push_back(
            {simulation::kWeatherSource, pathFromUtf8(absoluteUtf8Path(weatherPath))});
    }
    if (measuredInUse) {
        sources.push_back(
            {simulation::kMeasuredLoadSource, pathFromUtf8(absoluteUtf8Path(measuredPath))});
    }
    return sources;
}

void applyDemandProfile(evaluation::EvaluationInputs& inputs,
                        const std::optional<std::string>& profile,
                        const std::optional<std::string>& column) {
    if (profile) {
        if (*profile == "simulated") {
            inputs.householdProfile = evaluation::HouseholdProfile::Simulated;
        } else if (*profile == "standard") {
            inputs.householdProfile = evaluation::HouseholdProfile::Standard;
        } else {
            inputs.householdProfile = evaluation::HouseholdProfile::Measured;
            inputs.measuredLoad.file = absoluteUtf8Path(*profile);
        }
    }
    if (column) {
        inputs.measuredLoad.column = *column;
    }
}

void addWeatherMessages(const evaluation::Evaluation& evaluation,
                        std::vector<std::string>& messages) {
    if (!evaluation.measuredLoadProblem().empty()) {
        messages.push_back(programMessage(evaluation.measuredLoadProblem()));
    }
    if (!evaluation.weatherProblem().empty()) {
        messages.push_back(evaluation.weatherProblem());
    } else if (const auto& file = evaluation.weather()) {
        const simulation::SimulationInput& site = evaluation.simulationInput();
        if (auto warning =
                evaluation::weatherDistanceWarning(*file, site.latitude_deg, site.longitude_deg)) {
            messages.push_back(std::move(*warning));
        }
    }
}

}  // namespace lumetra::cli
