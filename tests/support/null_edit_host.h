#pragma once
#include "canvas/edit_host.h"

namespace kinloom::test {

// An edit host without a window around it: it counts the paints asked for and does nothing else.
struct NullEditHost : EditHost {
    int repaints = 0;
    int paints = 0;
    void repaint() override { ++repaints; }
    void paintWithoutErase() override { ++paints; }
    void zoomTo(double) override {}
    WindowSize outerSize() const override { return {800, 600}; }
    void startPlacing(bool) override {}
    void setCrossCursor() override {}
    void armLink(PendingLink, int, int) override {}
    void setIgnoreNextMouseDown() override {}
};

}  // namespace kinloom::test
