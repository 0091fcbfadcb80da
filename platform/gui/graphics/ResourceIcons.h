#pragma once
// The program's own icons and cursors: the icon and cursor files of its resources (ICON and CURSOR),
// which LoadIcon and LoadCursor of the program's module find once the loaders are installed. Each is
// made once, at the image nearest to the system icon or cursor size, and shared.

namespace gui {

void InstallResourceIconLoaders();
void RemoveResourceIconLoaders();

}  // namespace gui
