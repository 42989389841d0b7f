#pragma once

#include <QPixmap>

// The program's own pictures, drawn in code so there are no image files to lose.
namespace Pictures {

// The splash picture: an open grade book with the product name.
QPixmap splash(const QSize& size);
// The exit window's picture: a closed book with a pencil, the day's work done.
QPixmap closedBook(const QSize& size);

} // namespace Pictures
