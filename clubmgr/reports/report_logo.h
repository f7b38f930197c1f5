#pragma once
// The club's emblem at the left of every report's title band.

class QPainter;
class QRectF;

namespace club::reports {

// Draws the emblem (a pigeon in flight in a double ring) scaled into the square rect.
// Drawn from outlines only, so it adds no text to the page.
void drawClubLogo(QPainter& painter, const QRectF& rect);

}  // namespace club::reports
