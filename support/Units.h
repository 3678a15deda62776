#pragma once
// Window measures in twips (1/1440 inch) to screen pixels, by the screen's twips per pixel
// held in the game state. Halves round to the even neighbour.
#include <cstdint>

// Division by zero while TwipsPerPixelX/Y is still 0, overflow beyond 32 bits: RunTimeError.
int32_t TwipsToPixelsX(double twips);
int32_t TwipsToPixelsY(double twips);
