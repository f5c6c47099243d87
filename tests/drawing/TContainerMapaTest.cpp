#include <gtest/gtest.h>

#include <QImage>

#include "drawing/TContainer.h"

namespace vertano {
namespace {

TgrafikaData TriBody() {
    TgrafikaData d(3, 0);
    d.body[0] = {"A", 0, 0};
    d.body[1] = {"B", 100, 0};
    d.body[2] = {"C", 100, 50};
    d.pocetBodu = 3;
    return d;
}

// A click finds the nearest point symbol within the tolerance, and a point can
// be brought to the centre of the picture at the scale it has.
TEST(TContainerMapa, AClickFindsTheNearestPointAndAPointComesToTheCentre) {
    const TgrafikaData d = TriBody();
    QImage obrazek(200, 100, QImage::Format_RGB32);
    TContainer c;
    c.ConnectBitmap(obrazek);
    c.ConnectData(d);
    c.TransPar = {1, 50, 25, 0, 0};  // 1 px per metre, (50, 25) at the centre
    EXPECT_EQ(c.BodNaPixelu(50, 25, 6), 0);
    EXPECT_EQ(c.BodNaPixelu(148, 22, 6), 1);
    EXPECT_EQ(c.BodNaPixelu(147, 72, 6), 2);
    EXPECT_EQ(c.BodNaPixelu(100, 50, 6), -1);
    EXPECT_EQ(c.BodNaPixelu(156, 25, 5), -1);

    c.TransPar.m = 2;
    c.Vycentrovat(2);
    const T2DPoint stred = c.CalcPixCoords(2);
    EXPECT_NEAR(static_cast<double>(stred[0]), 100.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(stred[1]), 50.0, 1e-9);
    EXPECT_EQ(c.TransPar.m, 2);
    c.Vycentrovat(7);  // no such point: nothing moves
    EXPECT_NEAR(static_cast<double>(c.CalcPixCoords(2)[0]), 100.0, 1e-9);

    TContainer prazdny;
    EXPECT_EQ(prazdny.BodNaPixelu(0, 0, 10), -1);
}

}  // namespace
}  // namespace vertano
