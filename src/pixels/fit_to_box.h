#pragma once
// The size a picture gets when it must fit into the box of the picture settings.

#include "pixels/rgb_image.h"

namespace vellumar {

// Shrinks width × height to fit maxWidth × maxHeight keeping the proportions; never enlarges.
// The limiting side gets the box's size, the other is (limit / own side) × other side, the
// quotient formed first and the product rounded to the nearest integer, halves to even.
// When both sides exceed and the two ratios are equal, the width limits. A box side below 1
// counts as 1, and no side of the result is below 1.
PictureSize fitToBox(int width, int height, int maxWidth, int maxHeight);

}  // namespace vellumar
