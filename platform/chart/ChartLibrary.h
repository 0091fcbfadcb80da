#pragma once
// The chart library's start and end: its classes are registered for stored window data.

namespace chart {

void initialize();
void finalize();

}  // namespace chart
