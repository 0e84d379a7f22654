// GDI+ running for the length of a test.
#pragma once

#include "app/PngResource.h"

namespace testing_support {

class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession()
    {
        if (m_token)
            Gdiplus::GdiplusShutdown(m_token);
    }
    bool Running() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};

// The ARGB pixels `image` leaves on a transparent 32-bpp canvas of the given size.
inline Gdiplus::ARGB PixelAfterDrawing(Gdiplus::Image* image, int width, int height, int x, int y)
{
    Gdiplus::Bitmap canvas(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&canvas);
        graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
        if (image)
            graphics.DrawImage(image, 0, 0, width, height);
    }
    Gdiplus::Color pixel;
    canvas.GetPixel(x, y, &pixel);
    return pixel.GetValue();
}

} // namespace testing_support
