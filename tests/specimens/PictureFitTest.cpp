#include <gtest/gtest.h>

#include "specimens/PictureFit.h"

namespace {

TEST(PictureFit, APictureIsNeverEnlargedKeepsItsProportionsAndSitsTopLeft) {
    const struct {
        int width;
        int height;
        Rect placement;
    } cases[] = {
            {100, 50, {143, 42, 243, 92}},    // fits: its own size
            {298, 242, {143, 42, 441, 284}},  // exactly the box
            {600, 300, {143, 42, 441, 191}},  // wider than the box: fitted to the width
            {300, 600, {143, 42, 264, 284}},  // taller: fitted to the height
            {200, 600, {143, 42, 223, 284}},  // only too tall
            {900, 100, {143, 42, 441, 75}},   // only too wide
            {0, 0, {143, 42, 143, 42}},       // undecodable: empty
            {50, 0, {143, 42, 143, 42}},     {40000, 30000, {143, 42, 441, 265}},  // products beyond 32 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitPicture(143, 42, 298, 242, c.width, c.height), c.placement) << c.width << "x" << c.height;
}

TEST(PictureFit, ThePopupGrowsWithItsPictureUpToTheWorkArea) {
    const PopupFrame frame{4, 27, 1024, 738};  // room for a picture of 996 x 691
    const struct {
        int width;
        int height;
        PopupLayout layout;
    } cases[] = {
            {100, 50, {128, 97, 100, 50}},
            {996, 691, {1024, 738, 996, 691}},
            {4000, 1000, {1024, 296, 996, 249}},
            {1000, 4000, {200, 738, 172, 691}},
            {0, 0, {28, 47, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayOutPicturePopup(c.width, c.height, frame), c.layout) << c.width << "x" << c.height;
}

}  // namespace
