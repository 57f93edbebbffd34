#pragma once

// What a control-bar page asks the main frame to do with the notes of an item.
namespace ControlBarOutput {

constexpr int Print = 1;
constexpr int Export = 2;
constexpr int Delete = 3;

} // namespace ControlBarOutput
