// SPDX-License-Identifier: MIT
// The remarks, score and rating of the results box, read from the box the player is shown, right
// at each threshold a player can reach and one step either side of it.
#include "game/game.h"
#include "support/fake_host.h"
#include "ui/controls.h"
#include "ui/headless/headless_host.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The search at the moment of Reveal. Distances flown are whole quarter miles, as steps make
// them; positions are whole map units, four to the mile.
struct Flight {
    float flown;
    float heard = 0;
    int missEast = 0, missSouth = 0; // where the aircraft stands from the ELT
    int airportEast = 0;             // where the airport lies from the ELT
};

// A flight whose score is exactly `score`: heard after 10 nm, the airport 10 nm from the ELT,
// Reveal right over it.
Flight scoring(float score) {
    return {.flown = score + 20, .heard = 10, .airportEast = 40};
}

std::string scoreLine(const std::string& digits) {
    return "Your score is: " + digits + " giving you a rating of: ";
}

struct Case {
    const char* what;
    Flight flight;
    std::vector<std::string> shows; // lines of the box, leading spaces aside
};

const char* const quick = "That was a quick one!";
const char* const notFar = "You did'nt go very far that time!";
const char* const good = "You're getting pretty good at this!";
const char* const harder = "You'll have to try a lot harder next time!";
const char* const everyInch = "You've been over almost every inch of that map!";
const char* const gas = "With all this flight time are you sure you still have any gas?!";

const char* const window = "You should be able to see this one out the window.";
const char* const trip = "A little more work and you'll trip over it.";
const char* const closer = "Getting closer, but you still need more practice.";
const char* const stone = "Its more than a stone's throw away!";
const char* const groundTeam = "At this range, you need to call in the ground team to find it.";
const char* const realPilot = "Maybe you should head back to base and let a real pilot find it.";

const char* const command = "*** Command Pilot ***";
const char* const mission = "** Mission Pilot **";
const char* const observer = "* Observer *";
const char* const weekend = "!- Weekend Wonder -!";
const char* const notReady = "* * Are you ready for one yet? * *";

// clang-format off
const Case cases[] = {
    // The distance flown, a quarter mile either side of each threshold.
    {"flown 19.75",  {.flown = 19.75},  {quick}},
    {"flown 20",     {.flown = 20},     {notFar}},
    {"flown 20.25",  {.flown = 20.25},  {notFar}},
    {"flown 39.75",  {.flown = 39.75},  {notFar}},
    {"flown 40",     {.flown = 40},     {good}},
    {"flown 40.25",  {.flown = 40.25},  {good}},
    {"flown 79.75",  {.flown = 79.75},  {good}},
    {"flown 80",     {.flown = 80},     {harder}},
    {"flown 80.25",  {.flown = 80.25},  {harder}},
    {"flown 119.75", {.flown = 119.75}, {harder}},
    {"flown 120",    {.flown = 120},    {everyInch}},
    {"flown 120.25", {.flown = 120.25}, {everyInch}},
    {"flown 149.75", {.flown = 149.75}, {everyInch}},
    {"flown 150",    {.flown = 150},    {gas}},
    {"flown 150.25", {.flown = 150.25}, {gas}},

    // The miss: the nearest places either side of each threshold and, where a whole number of
    // units gets there, the place right on it. No place is 0.8 nm away.
    {"miss 0.79 (3, 1 units)",  {.flown = 30, .missEast = 3,  .missSouth = 1},  {window}},
    {"miss 0.90 (3, 2)",        {.flown = 30, .missEast = 3,  .missSouth = 2},  {trip}},
    {"miss 1.46 (5, 3)",        {.flown = 30, .missEast = 5,  .missSouth = 3},  {trip}},
    {"miss 1.5 (6 units)",      {.flown = 30, .missEast = 6},                   {trip}},
    {"miss 1.52 (6, 1)",        {.flown = 30, .missEast = 6,  .missSouth = 1},  {closer}},
    {"miss 2.93 (11, 4)",       {.flown = 30, .missEast = 11, .missSouth = 4},  {closer}},
    {"miss 3 (12 units)",       {.flown = 30, .missSouth = -12},                {closer}},
    {"miss 3.01 (12, 1)",       {.flown = 30, .missEast = 12, .missSouth = 1},  {stone}},
    {"miss 4.98 (19, 6)",       {.flown = 30, .missEast = 19, .missSouth = 6},  {stone}},
    {"miss 5 (20 units)",       {.flown = 30, .missEast = -20},                 {stone}},
    {"miss 5.01 (20, 1)",       {.flown = 30, .missEast = 20, .missSouth = 1},  {groundTeam}},
    {"miss 7.98 (30, 11)",      {.flown = 30, .missEast = 30, .missSouth = 11}, {groundTeam}},
    {"miss 8 (32 units)",       {.flown = 30, .missSouth = 32},                 {groundTeam}},
    {"miss 8.01 (32, 1)",       {.flown = 30, .missEast = 32, .missSouth = 1},  {realPilot}},

    // The score, a quarter mile either side of each threshold. The box rounds the score it
    // writes, but the rating goes by the score itself.
    {"score 9.75",  scoring(9.75),  {scoreLine("10"), command}},
    {"score 10",    scoring(10),    {scoreLine("10"), mission}},
    {"score 10.25", scoring(10.25), {scoreLine("10"), mission}},
    {"score 19.75", scoring(19.75), {scoreLine("20"), mission}},
    {"score 20",    scoring(20),    {scoreLine("20"), observer}},
    {"score 20.25", scoring(20.25), {scoreLine("20"), observer}},
    {"score 39.75", scoring(39.75), {scoreLine("40"), observer}},
    {"score 40",    scoring(40),    {scoreLine("40"), weekend}},
    {"score 40.25", scoring(40.25), {scoreLine("40"), weekend}},
    {"score 59.75", scoring(59.75), {scoreLine("60"), weekend}},
    {"score 60",    scoring(60),    {scoreLine("60"), notReady}},
    {"score 60.25", scoring(60.25), {scoreLine("60"), notReady}},
    {"the miss counts ten times: 10 - 5 - 5 + 10 x 1",
     {.flown = 10, .heard = 5, .missEast = 4, .airportEast = 20}, {scoreLine("10"), mission}},

    // A perfect score writes no digits, and a score never drops below it.
    {"score exactly 0",       scoring(0),     {scoreLine(""), command}},
    {"score 0.25 below 0",    scoring(-0.25), {scoreLine(""), command}},
    {"score 5 below 0",       scoring(-5),    {scoreLine(""), command}},
};
// clang-format on

struct ResultsBox : ::testing::Test {
    std::ostringstream transcript;
    FakeHost host{transcript};
    ui::Runtime runtime{host};
    Game game{runtime};

    ResultsBox() { game.start(); }

    // Reveals the flight and gives the lines of the box it shows, leading spaces aside.
    std::vector<std::string> reveal(const Flight& f) {
        SearchState& s = game.search;
        s.eltX = 100;
        s.eltY = 100;
        s.vorX = 60;
        s.vorY = 140;
        s.airportX = std::int16_t(s.eltX + f.airportEast);
        s.airportY = s.eltY;
        s.aircraftX = std::int16_t(s.eltX + f.missEast);
        s.aircraftY = std::int16_t(s.eltY + f.missSouth);
        s.distanceFlown = f.flown;
        s.firstSignalDistance = f.heard;
        host.boxText.clear();
        runtime.click(*game.main->cmdReveal);
        EXPECT_EQ(host.boxTitle, "Vantrel Results");

        std::vector<std::string> lines;
        std::istringstream in(host.boxText);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line.substr(std::min(line.find_first_not_of(' '), line.size())));
        }
        return lines;
    }
};

TEST_F(ResultsBox, remarksScoreAndRatingChangeRightAtTheirThresholds) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto lines = reveal(c.flight);
        for (const auto& want : c.shows)
            EXPECT_NE(std::find(lines.begin(), lines.end(), want), lines.end())
                << "missing \"" << want << "\" in:\n"
                << host.boxText;
    }
}

} // namespace
