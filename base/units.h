#pragma once

// Lengths of the windows' make-up are in twips (1/1440 inch); on screen they are
// device-independent pixels, 15 twips to a pixel at 96 dots per inch.
namespace units {

constexpr int kTwipsPerPixel = 15;

// Pixels for a length in twips, to the nearest pixel.
int twipsToPixels(int twips);

// The nearest whole number, an exact half going to the even neighbour (2.5 gives 2, 3.5 gives
// 4), whatever rounding mode the process is in. It stays a double: each caller decides which
// range it takes. NaN and the infinities come back as they are.
double roundHalfEven(double value);

} // namespace units
