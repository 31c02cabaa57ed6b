// SPDX-License-Identifier: MIT
#pragma once

#include "squadron/connection.h"

#include <array>
#include <string>
#include <vector>

namespace squadron {

// The squadron's setup and the instructor's reading, as `vantrel-squadron` offers them. Each
// returns what the server said; the lines to print are added to `lines`.

enum class Group { Trainee, Instructor };

// Makes NAME a login of the group with the password, or gives an existing NAME the password
// and the group. The password leaves this process only as a SCRAM verifier.
Answer addMember(Connection& connection, Group group, const std::string& name,
                 const std::string& password);

// "NAME reveals=N searches=M best=S", one line per trainee, by name.
Answer listTrainees(Connection& connection, std::vector<std::string>& lines);

// The airport, the VOR and the ELT, each as x, y in map units.
Answer addExercise(Connection& connection, const std::string& name,
                   const std::array<int, 6>& layout);

// "RANK NAME score=S rating="R" miss=M flown=F": each trainee's first Reveal of the exercise,
// best first.
Answer reportExercise(Connection& connection, const std::string& exercise,
                      std::vector<std::string>& lines);

} // namespace squadron
