// The vertical gradient behind grid cells: each pixel row of the rectangle one step darker.
#pragma once

class QColor;
class QPainter;
class QRect;

// The top row has the start colour; each row below has red, green and blue lowered by 3 more,
// never below 0.
void GradientFill(QPainter& canvas, const QRect& rect, const QColor& startColour);
