// The drawing state every backend shares: GDI's mapping rules and text placement.
#include <gtest/gtest.h>

#include "engine/DrawingState.h"

TEST(DrawingState, MappingFollowsGdisRules)
{
    DrawingState st;
    st.SetWindowExt(10, 10); // extents are fixed outside MM_ANISOTROPIC
    EXPECT_EQ(st.windowExt, (SIZE{1, 1}));
    EXPECT_EQ(st.SetMapMode(MM_HIMETRIC, 96, 120), MM_TEXT);
    EXPECT_EQ(st.windowExt, (SIZE{2540, 2540}));
    EXPECT_EQ(st.viewportExt, (SIZE{96, -120}));
    st.SetMapMode(MM_ANISOTROPIC, 0, 0); // keeps the scale it comes from
    EXPECT_EQ(st.windowExt, (SIZE{2540, 2540}));
    st.SetViewportExt(0, 5);
    EXPECT_EQ(st.viewportExt, (SIZE{96, -120}));
    st.SetViewportExt(254, -254);
    st.windowOrg = {100, 0};
    const DevicePoint p = st.ToDevice(110, 25); // 0.1 units per unit, y up, halves away from 0
    EXPECT_EQ(p.x, 1.0);
    EXPECT_EQ(p.y, -3.0);
    EXPECT_EQ(st.ToLogicalX(3), 30);
    EXPECT_EQ(st.SetMapMode(42, 96, 96), 0);
    EXPECT_EQ(st.mapMode, MM_ANISOTROPIC);
    st.SetBkMode(7);
    EXPECT_EQ(st.bkMode, OPAQUE);
}

TEST(DrawingState, TextIsPlacedByItsAlignment)
{
    struct Case {
        unsigned align;
        double left, baseline;
        int penX; // where TA_UPDATECP leaves the pen
    };
    const DeviceTextSize size{20, 10, 13, 3, 20};
    const Case cases[] = {
        {TA_TOP | TA_LEFT, 5, 20, 0},
        {TA_BASELINE | TA_CENTER, -5, 7, 0},
        {TA_BOTTOM | TA_RIGHT, -15, 4, 0},
        {TA_UPDATECP | TA_BASELINE, 50, 60, 70},
        {TA_UPDATECP | TA_RIGHT | TA_BASELINE, 30, 60, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        DrawingState st;
        st.textAlign = c.align;
        st.current = {50, 60};
        const TextPlacement placed = st.PlaceText(5, 7, size);
        EXPECT_EQ(placed.left, c.left);
        EXPECT_EQ(placed.baseline, c.baseline);
        EXPECT_EQ(st.current.x, (c.align & TA_UPDATECP) ? c.penX : 50);
    }
}
