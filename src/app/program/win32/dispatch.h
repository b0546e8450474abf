#pragma once
#include "app/program/program_options.h"
#include "app/program/win32/wiring.h"

// Runs the operation of an action number with what start-up gathered and
// returns its result; 1 for action 0 and for numbers outside the table.
[[nodiscard]] int RunProgramAction(ProgramAction action, const ProgramState& state) noexcept;
