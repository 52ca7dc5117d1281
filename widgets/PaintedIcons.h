#pragma once

#include <QIcon>

// The program's icons, drawn in code so that they stay sharp at any size.
namespace PaintedIcons {
QIcon Close(bool hover);
QIcon Minimize(bool hover);
QIcon Logo();
QIcon Application();
// A round lamp: green when lit, red otherwise.
QIcon Lamp(bool lit);
// Triangles pointing left (previous) and right (next).
QIcon Step(bool next);
} // namespace PaintedIcons
