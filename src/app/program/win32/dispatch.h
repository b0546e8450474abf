#pragma once
#include "app/program/program_options.h"

// Runs the operation of an action number and returns its result; 1 for
// action 0 and for numbers outside the table.
[[nodiscard]] int RunProgramAction(ProgramAction action) noexcept;
