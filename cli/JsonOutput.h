#pragma once

#include <string>

namespace lumetra::simulation {
struct HourlyResult;
}

namespace lumetra::cli {

class Session;

// The state as a UTF-8 JSON object: the 42 quantities (index, id, field text, value, state),
// the field rows (texts and backgrounds of columns 1..7), the monthly figures and the totals,
// and under "hourly" the hourly balance (null when it could not be run).
std::string stateJson(const Session& session, const simulation::HourlyResult* hourly = nullptr);

}  // namespace lumetra::cli
