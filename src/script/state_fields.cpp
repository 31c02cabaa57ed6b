// SPDX-License-Identifier: MIT
#include "state_fields.h"

#include "game/game.h"
#include "tokenizer.h"
#include "ui/headless/transcript.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <variant>

namespace script {

namespace {

template <class Int>
Int checkedInt(double value) {
    if (!(value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max()) ||
        value != std::floor(value))
        throw ScenarioError("value does not fit the field");
    return static_cast<Int>(value);
}

// The game's number fields, each with where it lives in a game.
using FieldPointer = std::variant<std::int16_t*, std::int32_t*, float*>;
struct NumberField {
    const char* name;
    FieldPointer (*at)(Game&);
};

const NumberField kNumberFields[] = {
    {"eltX", [](Game& g) -> FieldPointer { return &g.search.eltX; }},
    {"eltY", [](Game& g) -> FieldPointer { return &g.search.eltY; }},
    {"airportX", [](Game& g) -> FieldPointer { return &g.search.airportX; }},
    {"airportY", [](Game& g) -> FieldPointer { return &g.search.airportY; }},
    {"vorX", [](Game& g) -> FieldPointer { return &g.search.vorX; }},
    {"vorY", [](Game& g) -> FieldPointer { return &g.search.vorY; }},
    {"aircraftX", [](Game& g) -> FieldPointer { return &g.search.aircraftX; }},
    {"aircraftY", [](Game& g) -> FieldPointer { return &g.search.aircraftY; }},
    {"heading", [](Game& g) -> FieldPointer { return &g.search.heading; }},
    {"speedStep", [](Game& g) -> FieldPointer { return &g.search.speedStep; }},
    {"distanceFlown", [](Game& g) -> FieldPointer { return &g.search.distanceFlown; }},
    {"firstSignalDistance", [](Game& g) -> FieldPointer { return &g.search.firstSignalDistance; }},
    {"mapScale", [](Game& g) -> FieldPointer { return &g.search.mapScale; }},
    {"hintCount", [](Game& g) -> FieldPointer { return &g.search.hintCount; }},
    {"bearingShown", [](Game& g) -> FieldPointer { return &g.search.bearingShown; }},
    {"signalHeard", [](Game& g) -> FieldPointer { return &g.signalHeard; }},
    {"coachStartSeconds", [](Game& g) -> FieldPointer { return &g.coaching.coachStartSeconds; }},
    {"elapsedTicks", [](Game& g) -> FieldPointer { return &g.coaching.elapsedTicks; }},
    {"searchPromptShown", [](Game& g) -> FieldPointer { return &g.coaching.searchPromptShown; }},
    {"returnPromptShown", [](Game& g) -> FieldPointer { return &g.coaching.returnPromptShown; }},
    {"silentTicks", [](Game& g) -> FieldPointer { return &g.coaching.silentTicks; }},
    {"arrowsPromptShown", [](Game& g) -> FieldPointer { return &g.coaching.arrowsPromptShown; }},
    {"signalWasOn", [](Game& g) -> FieldPointer { return &g.coaching.signalWasOn; }},
    {"longSearchShown", [](Game& g) -> FieldPointer { return &g.coaching.longSearchShown; }},
    {"offMapDeclined", [](Game& g) -> FieldPointer { return &g.coaching.offMapDeclined; }},
    {"signalLosses", [](Game& g) -> FieldPointer { return &g.coaching.signalLosses; }},
    {"mapWidth", [](Game& g) -> FieldPointer { return &g.coaching.mapWidth; }},
    {"mapHeight", [](Game& g) -> FieldPointer { return &g.coaching.mapHeight; }},
};

std::string readNumber(Game& g, int index) {
    return std::visit(
        [](auto* field) {
            if constexpr (std::is_same_v<decltype(field), float*>)
                return ui::headless::number(*field);
            else
                return std::to_string(*field);
        },
        kNumberFields[index].at(g));
}

void writeNumber(Game& g, int index, double value) {
    std::visit(
        [value](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (std::is_same_v<T, float>)
                *field = static_cast<float>(value);
            else
                *field = checkedInt<T>(value);
        },
        kNumberFields[index].at(g));
}

std::string readCompassPoint(Game& g, int index) {
    return ui::headless::quoted(g.search.compassPointNames[std::size_t(index)]);
}

void writeNothing(Game&, int, double) {
    throw ScenarioError("the field holds a text");
}

} // namespace

std::optional<StateField> stateField(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kNumberFields); ++i)
        if (name == kNumberFields[i].name) return StateField{readNumber, writeNumber, int(i)};
    for (int i = 0; i < 5; ++i)
        if (name == "compassPointNames(" + std::to_string(i) + ")")
            return StateField{readCompassPoint, writeNothing, i};
    return std::nullopt;
}

} // namespace script
