#pragma once
// Start-up and shut-down of the graphics device interface. initialize() restores the default system
// settings (without a settings hook) and makes a fresh object table holding only the stock objects;
// finalize() drops every object left. No other thread may draw across either call.

namespace win::gdi {

void initialize();
void finalize();

}  // namespace win::gdi
