#include "state_fields.h"

#include "game/game.h"
#include "tokenizer.h"
#include "ui/headless/transcript.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace script {

namespace {

template <class Int>
Int checkedInt(double value) {
    if (!(value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max()) ||
        value != std::floor(value))
        throw ScenarioError("value does not fit the field");
    return static_cast<Int>(value);
}

// The game's number fields in one table; `index` picks the entry.
struct NumberField {
    const char* name;
    std::int16_t* (*int16)(Game&);
    float* (*real)(Game&);
};

#define SEARCH_INT(f)                                                                              \
    {                                                                                              \
#f, [](Game & g) { return &g.search.f; }, nullptr                                          \
    }
#define SEARCH_REAL(f)                                                                             \
    {                                                                                              \
#f, nullptr, [](Game & g) { return &g.search.f; }                                          \
    }

const NumberField numberFields[] = {
    SEARCH_INT(eltX),           SEARCH_INT(eltY),
    SEARCH_INT(airportX),       SEARCH_INT(airportY),
    SEARCH_INT(vorX),           SEARCH_INT(vorY),
    SEARCH_INT(aircraftX),      SEARCH_INT(aircraftY),
    SEARCH_INT(heading),        SEARCH_INT(speedStep),
    SEARCH_REAL(distanceFlown), SEARCH_REAL(firstSignalDistance),
    SEARCH_INT(mapScale),       SEARCH_INT(hintCount),
    SEARCH_INT(bearingShown),   {"signalHeard", [](Game& g) { return &g.signalHeard; }, nullptr},
};

#undef SEARCH_INT
#undef SEARCH_REAL

std::string readNumber(Game& g, int index) {
    const auto& f = numberFields[index];
    return f.int16 ? std::to_string(*f.int16(g)) : ui::headless::number(*f.real(g));
}

void writeNumber(Game& g, int index, double value) {
    const auto& f = numberFields[index];
    if (f.int16)
        *f.int16(g) = checkedInt<std::int16_t>(value);
    else
        *f.real(g) = static_cast<float>(value);
}

std::string readCompassPoint(Game& g, int index) {
    return ui::headless::quoted(g.search.compassPointNames[std::size_t(index)]);
}

void writeNothing(Game&, int, double) {
    throw ScenarioError("the field holds a text");
}

} // namespace

std::optional<StateField> stateField(std::string_view name) {
    for (std::size_t i = 0; i < std::size(numberFields); ++i)
        if (name == numberFields[i].name) return StateField{readNumber, writeNumber, int(i)};
    for (int i = 0; i < 5; ++i)
        if (name == "compassPointNames(" + std::to_string(i) + ")")
            return StateField{readCompassPoint, writeNothing, i};
    return std::nullopt;
}

} // namespace script
