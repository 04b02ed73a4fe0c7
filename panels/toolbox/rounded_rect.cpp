#include "rounded_rect.h"

void AddRoundedRectangle(Gdiplus::GraphicsPath* path, float x, float y, float width, float height,
                         float diameter)
{
    const float right = x + width - diameter;
    const float bottom = y + height - diameter;
    path->StartFigure();
    path->AddArc(x, y, diameter, diameter, 180, 90);
    path->AddArc(right, y, diameter, diameter, 270, 90);
    path->AddArc(right, bottom, diameter, diameter, 0, 90);
    path->AddArc(x, bottom, diameter, diameter, 90, 90);
    path->CloseFigure();
}
