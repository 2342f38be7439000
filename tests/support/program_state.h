#pragma once
// Puts every program-wide variable back to its state before the main block, so that no test
// leaks state into the next.
namespace testing_support {

void ResetProgramState();

}  // namespace testing_support
