#pragma once

#include <QIcon>
#include <QString>

// The toolbar's pictures, drawn in code: a coloured tile with one character that stands for the
// command.
namespace ToolbarIcons {
QIcon icon(const QString& glyph, const QColor& colour);
}
